#include "ForwardJumpGuard.h"

#include <algorithm>

namespace lumetra {
namespace {

// Scores are small fractions; a lead of exactly the margin must not fail on rounding.
constexpr double scoreTolerance = 1e-9;

// How many characters the match moves the spoken count on.
double advanceOf(const VoiceSyncMatch &match, std::int64_t spokenReadableCharacterCount)
{
    return static_cast<double>(match.readableCharacterPosition - spokenReadableCharacterCount);
}

} // namespace

bool ForwardJumpGuard::accepts(const VoiceSyncMatch &match, const MatchEvidence &evidence,
    std::int64_t currentParagraphIndex, std::int64_t spokenReadableCharacterCount, double secondsSinceAdvance) const
{
    const bool heardInOrder = evidence.verbatimWeight >= minimumVerbatimWeight;
    if (match.index > currentParagraphIndex + 1) {
        const bool beatsNearChunks = match.score + scoreTolerance >= evidence.nearScore + farChunkMinimumLead
            || evidence.verbatimWeight >= evidence.nearVerbatimWeight + minimumVerbatimWeight;
        // Parallel openings ("第二步是…") put the same words in order in a near chunk and a far one;
        // the far chunk must hold more of them in order.
        const bool longerInOrder = evidence.verbatimWeight > evidence.nearVerbatimWeight;
        if (match.score + scoreTolerance < farChunkMinimumScore || !beatsNearChunks || !heardInOrder || !longerInOrder)
            return false;
    }
    // Words that fit an earlier chunk as well do not take the count out of the current one: a
    // sentence re-read from behind the window fits no chunk there, and weak matches ahead would
    // carry the count on a chunk at a time in steady steps; short sentences of one pattern
    // (第二次比較便宜, 第一次比較簡單) match the next ones as well as themselves.
    if (match.index > currentParagraphIndex && evidence.latestWordsFitEarlierChunk)
        return false;
    if (isWeakLongMove(match, spokenReadableCharacterCount)
        && evidence.heardShareOfMarkedRead + scoreTolerance < weakMatchMinimumHeardShare)
        return false;
    if (!isHurried(match, evidence.leavesOutASentence, spokenReadableCharacterCount, secondsSinceAdvance))
        return true;
    return match.score + scoreTolerance >= fastAdvanceMinimumScore && heardInOrder
        && !evidence.latestWordsFitEarlierChunk
        && evidence.heardShareOfMarkedRead + scoreTolerance >= fastAdvanceMinimumHeardShare;
}

bool ForwardJumpGuard::isWeakLongMove(const VoiceSyncMatch &match, std::int64_t spokenReadableCharacterCount) const
{
    return match.score < weakMatchScore && advanceOf(match, spokenReadableCharacterCount) > steadyAdvanceCharacters;
}

bool ForwardJumpGuard::asksHeardShare(const VoiceSyncMatch &match, bool leavesOutASentence,
    std::int64_t spokenReadableCharacterCount, double secondsSinceAdvance) const
{
    return isWeakLongMove(match, spokenReadableCharacterCount)
        || isHurried(match, leavesOutASentence, spokenReadableCharacterCount, secondsSinceAdvance);
}

bool ForwardJumpGuard::isHurried(const VoiceSyncMatch &match, bool leavesOutASentence,
    std::int64_t spokenReadableCharacterCount, double secondsSinceAdvance) const
{
    const double allowance = steadyAdvanceCharacters
        + steadyAdvanceCharactersPerSecond * std::clamp(secondsSinceAdvance, 0.0, steadyAdvanceSecondsAtMost);
    return leavesOutASentence || advanceOf(match, spokenReadableCharacterCount) > allowance;
}

} // namespace lumetra
