#pragma once

#include "VoiceSyncError.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace lumetra {

// The microphone as 16 kHz mono signed 16-bit PCM in buffers of `framesPerBuffer` frames.
class AudioSource : public QObject {
    Q_OBJECT
public:
    static constexpr int sampleRate = 16000;
    static constexpr int framesPerBuffer = 1024;

    // Called on the audio thread with each captured buffer.
    using Tap = std::function<void(std::span<const std::int16_t> frames)>;

    using QObject::QObject;

    // Installs `tap` (replacing any earlier one) and starts capturing. Fails with
    // audioInputUnavailable when there is no microphone, or with the audio system's own error.
    virtual std::optional<VoiceSyncError> start(Tap tap) = 0;
    // Stops delivering and removes the tap; no buffer reaches the tap after this returns. The
    // device may stay open, so that the next start() hears the first words at once.
    virtual void stop() = 0;
    // Stops and closes the device.
    virtual void release() = 0;
    virtual bool isRunning() const = 0;

signals:
    // The microphone failed while capturing (for example it disappeared). Main thread.
    void failed(const QString &description);
};

} // namespace lumetra
