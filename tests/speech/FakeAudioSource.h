#pragma once

#include "AudioSource.h"

namespace lumetra::testing {

// A microphone the test feeds by calling the installed tap; the last tap is kept after stop() so
// a late buffer can be delivered on purpose.
class FakeAudioSource final : public AudioSource {
public:
    std::optional<VoiceSyncError> start(Tap tap) override
    {
        ++starts;
        lastTap = std::move(tap);
        if (startError)
            return startError;
        running = true;
        return std::nullopt;
    }
    void stop() override
    {
        ++stops;
        running = false;
    }
    void release() override
    {
        ++releases;
        running = false;
    }
    bool isRunning() const override { return running; }

    void fail() { emit failed(QStringLiteral("device removed")); }

    std::optional<VoiceSyncError> startError;
    Tap lastTap;
    bool running = false;
    int starts = 0;
    int stops = 0;
    int releases = 0;
};

} // namespace lumetra::testing
