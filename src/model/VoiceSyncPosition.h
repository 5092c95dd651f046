#pragma once

#include "HeardSpeech.h"

#include <cstdint>
#include <optional>

namespace lumetra {

// The model's Voice Sync reading position, as the alignment reads and rewrites it.
struct VoiceSyncPosition {
    std::optional<std::int64_t> voiceSyncParagraphIndex;
    std::int64_t currentParagraphIndex = 0;
    std::int64_t spokenReadableCharacterCount = 0;
    // Monotonic time in seconds when the spoken count last moved (set it when Voice Sync starts
    // and on every manual correction too).
    double lastAdvanceTime = 0;
    HeardSpeech heard {};

    bool operator==(const VoiceSyncPosition &) const = default;
};

} // namespace lumetra
