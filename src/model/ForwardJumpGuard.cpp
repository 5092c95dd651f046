#include "ForwardJumpGuard.h"

#include <algorithm>

namespace lumetra {
namespace {

// Scores are small fractions; a lead of exactly the margin must not fail on rounding.
constexpr double scoreTolerance = 1e-9;

} // namespace

bool ForwardJumpGuard::accepts(const VoiceSyncMatch &match, std::int64_t currentParagraphIndex, double nearScore,
    std::int64_t spokenReadableCharacterCount, double secondsSinceAdvance) const
{
    if (match.index > currentParagraphIndex + 1) {
        if (match.score + scoreTolerance < farChunkMinimumScore
            || match.score + scoreTolerance < nearScore + farChunkMinimumLead)
            return false;
    }
    const double advance = static_cast<double>(match.readableCharacterPosition - spokenReadableCharacterCount);
    const double allowance
        = steadyAdvanceCharacters + steadyAdvanceCharactersPerSecond * std::max(secondsSinceAdvance, 0.0);
    return advance <= allowance || match.score + scoreTolerance >= fastAdvanceMinimumScore;
}

} // namespace lumetra
