#pragma once

#include <QFile>
#include <QString>

#include <memory>

namespace lumetra {

// A measurement hook: when the environment names a file in LUMETRA_FRAME_LOG, the display writes
// the monotonic time of every playback frame there, one number of microseconds a line, so a
// benchmark can find the gaps between frames. Off (and free) otherwise.
class FrameTimeLog {
public:
    static std::unique_ptr<FrameTimeLog> fromEnvironment();
    explicit FrameTimeLog(const QString &path);
    ~FrameTimeLog();

    void recordFrame();

private:
    QFile m_file;
    QByteArray m_pending;
};

} // namespace lumetra
