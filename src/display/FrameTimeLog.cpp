#include "FrameTimeLog.h"

#include <chrono>

namespace lumetra {

std::unique_ptr<FrameTimeLog> FrameTimeLog::fromEnvironment()
{
    const QString path = qEnvironmentVariable("LUMETRA_FRAME_LOG");
    if (path.isEmpty())
        return nullptr;
    auto log = std::make_unique<FrameTimeLog>(path);
    return log->m_file.isOpen() ? std::move(log) : nullptr;
}

FrameTimeLog::FrameTimeLog(const QString &path)
    : m_file(path)
{
    m_file.open(QIODevice::WriteOnly | QIODevice::Append);
}

FrameTimeLog::~FrameTimeLog()
{
    m_file.write(m_pending);
}

void FrameTimeLog::recordFrame()
{
    const auto now
        = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch());
    m_pending += QByteArray::number(qint64(now.count()));
    m_pending += '\n';
    // About once a second at 60 frames per second: the process may be ended without warning.
    if (m_pending.size() > 1200) {
        m_file.write(m_pending);
        m_file.flush();
        m_pending.clear();
    }
}

} // namespace lumetra
