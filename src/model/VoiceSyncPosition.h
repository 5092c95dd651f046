#pragma once

#include "HeardSpeech.h"
#include "VoiceSyncMatch.h"

#include <cstdint>
#include <optional>

namespace lumetra {

// The model's Voice Sync reading position, as the alignment reads and rewrites it.
struct VoiceSyncPosition {
    std::optional<std::int64_t> voiceSyncParagraphIndex;
    std::int64_t currentParagraphIndex = 0;
    std::int64_t spokenReadableCharacterCount = 0;
    // Monotonic time in seconds when the presenter was last found: the spoken count moved, other
    // than by a step toward him, or he was heard reading what a step passed (set it when Voice
    // Sync starts and on every manual correction too).
    double lastAdvanceTime = 0;
    HeardSpeech heard {};
    // The count before it was stepped toward a presenter found on too little evidence to move to
    // him: the alignment weighs every move from there, so that the step carries nothing further.
    std::optional<std::int64_t> countBeforeStep {};
    // A move that leaves out a sentence, held back until more of the presenter's words run on past
    // it, or until nothing else has found him for long; kept until the count moves.
    std::optional<VoiceSyncMatch> heldBackMove {};

    bool operator==(const VoiceSyncPosition &) const = default;
};

} // namespace lumetra
