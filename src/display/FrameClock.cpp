#include "FrameClock.h"

#include <algorithm>
#include <cmath>

namespace lumetra {

FrameClock::FrameClock(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &FrameClock::tick);
}

void FrameClock::setRefreshRate(double framesPerSecond)
{
    // Screens that report nothing sensible are treated as the common 60 Hz.
    m_refreshRate
        = std::isfinite(framesPerSecond) && framesPerSecond >= 20 && framesPerSecond <= 500 ? framesPerSecond : 60;
}

void FrameClock::setRunning(bool running)
{
    if (running == isRunning())
        return;
    if (!running) {
        m_timer.stop();
        return;
    }
    m_nextDeadline = Clock::now();
    scheduleNext();
}

void FrameClock::scheduleNext()
{
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1 / m_refreshRate));
    const Clock::time_point now = Clock::now();
    m_nextDeadline += period;
    // After a stall the schedule starts afresh instead of firing the missed frames at once.
    if (m_nextDeadline < now)
        m_nextDeadline = now + period;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(m_nextDeadline - now);
    m_timer.start(std::max<int>(0, int(wait.count())));
}

void FrameClock::tick()
{
    scheduleNext();
    emit frame(Clock::now());
}

} // namespace lumetra
