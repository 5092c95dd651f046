#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

namespace lumetra {

// Ticks once per display frame while running, with each frame's time on the monotonic clock.
// Frames are scheduled against fixed deadlines of the screen's refresh period, so their rate
// stays steady where no vertical sync paces the window (a virtual display); stopped, it owns
// no timer at all.
class FrameClock : public QObject {
    Q_OBJECT
public:
    using Clock = std::chrono::steady_clock;

    explicit FrameClock(QObject *parent = nullptr);

    void setRefreshRate(double framesPerSecond);
    double refreshRate() const { return m_refreshRate; }
    void setRunning(bool running);
    bool isRunning() const { return m_timer.isActive(); }

signals:
    void frame(FrameClock::Clock::time_point time);

private:
    void tick();
    void scheduleNext();

    QTimer m_timer;
    double m_refreshRate = 60;
    Clock::time_point m_nextDeadline;
};

} // namespace lumetra
