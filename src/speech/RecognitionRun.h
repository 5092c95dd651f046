#pragma once

#include <cstdint>
#include <span>

namespace lumetra {

// One recognition run: the audio it is fed (from the audio thread) and the decoding of it.
class RecognitionRun {
public:
    virtual ~RecognitionRun() = default;
    // Any thread. Audio after endAudio() or cancel() is ignored.
    virtual void append(std::span<const std::int16_t> frames) = 0;
    // No more audio will come.
    virtual void endAudio() = 0;
    // Stops decoding; the result handler may still be called once more after this.
    virtual void cancel() = 0;
};

} // namespace lumetra
