#pragma once

#include "AudioSource.h"

#include <memory>

namespace lumetra {

// The default microphone through GStreamer: pulsesrc (or autoaudiosrc) → audioconvert →
// audioresample → 16 kHz mono S16LE → appsink, regrouped into 1024-frame buffers. Between runs
// the device stays open with the tap removed, so a new run hears its first words at once.
class GStreamerAudioSource final : public AudioSource {
    Q_OBJECT
public:
    explicit GStreamerAudioSource(QObject *parent = nullptr);
    ~GStreamerAudioSource() override;

    std::optional<VoiceSyncError> start(Tap tap) override;
    void stop() override;
    void release() override;
    bool isRunning() const override;

    struct Capture;

private:
    std::unique_ptr<Capture> m_capture;
    // Tells a late error report of an earlier capture from one of the current capture.
    quint64 m_generation = 0;
    bool m_delivering = false;
};

} // namespace lumetra
