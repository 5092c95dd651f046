#pragma once

#include <QProcess>

namespace lumetra::testing {

// The test script's keep-alive stream lets the virtual sink run with a 2-second latency, so the
// microphone delivers its audio in 2-second blocks and a recording loses its last block. A silent
// low-latency stream into the sink makes the microphone deliver at once, like a real one.
class LowLatencyAudioStream {
public:
    // Does nothing without the test script's audio server.
    void start();
    void stop();
    ~LowLatencyAudioStream() { stop(); }

private:
    QProcess m_stream;
};

} // namespace lumetra::testing
