#pragma once

#include "VoiceSyncMatch.h"

#include <cstdint>

namespace lumetra {

// Common characters and parallel sentence openings let an unscripted or repeated sentence
// resemble a chunk further on well enough to be matched, and since the spoken position never
// moves back, one such match would leave the prompter ahead of the presenter for good. The guard
// accepts a far or fast move only when the evidence for it is clearly stronger.
struct ForwardJumpGuard {
    // A match more than one chunk beyond the current one needs this score … (0.8 rather than
    // 0.67: the voice-follow benchmark showed transcripts straddling two chunks reaching 0.75 on a
    // chunk far ahead by chance)
    double farChunkMinimumScore = 0.8;
    // … and must beat the best score of the current and the next chunk by this much.
    double farChunkMinimumLead = 0.2;
    // A move of the spoken count by more than this many characters, plus the allowance per
    // second since the count last moved, needs fastAdvanceMinimumScore.
    double steadyAdvanceCharacters = 12;
    double steadyAdvanceCharactersPerSecond = 4;
    double fastAdvanceMinimumScore = 0.6;

    // nearScore: the best score among the current chunk and the next one.
    bool accepts(const VoiceSyncMatch &match, std::int64_t currentParagraphIndex, double nearScore,
        std::int64_t spokenReadableCharacterCount, double secondsSinceAdvance) const;

    bool operator==(const ForwardJumpGuard &) const = default;
};

} // namespace lumetra
