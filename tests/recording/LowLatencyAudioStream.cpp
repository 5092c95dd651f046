#include "LowLatencyAudioStream.h"

#include <QDeadlineTimer>
#include <QThread>

namespace lumetra::testing {

void LowLatencyAudioStream::start()
{
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER") || m_stream.state() != QProcess::NotRunning)
        return;
    m_stream.setStandardInputFile(QStringLiteral("/dev/zero"));
    m_stream.start(QStringLiteral("pacat"),
        { QStringLiteral("--playback"), QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
            QStringLiteral("--rate=48000"), QStringLiteral("--channels=2"), QStringLiteral("--device=lumetra_sink"),
            QStringLiteral("--latency-msec=20"), QStringLiteral("--client-name=lumetra-low-latency") });
    m_stream.waitForStarted();
    QThread::msleep(2000); // the block already buffered at the old latency drains
}

void LowLatencyAudioStream::stop()
{
    if (m_stream.state() == QProcess::NotRunning)
        return;
    m_stream.kill();
    m_stream.waitForFinished();
}

} // namespace lumetra::testing
