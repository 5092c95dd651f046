#include "VoiceSyncAligner.h"

#include "ScriptParser.h"
#include "VoiceSyncSimilarity.h"

#include <algorithm>
#include <span>

namespace lumetra {
namespace {

constexpr std::size_t minimumNeedleLength = 4;
constexpr std::size_t maximumNeedleLength = 32; // the most recent speech only
constexpr std::int64_t chunksBehind = 1;
constexpr std::int64_t chunksAhead = 4;
constexpr double minimumMatchScore = 0.28;

} // namespace

const QString VoiceSyncAligner::noMatchStatus = QStringLiteral("聽到聲音，等待回到稿件附近");

VoiceSyncAligner::VoiceSyncAligner(ScriptChunkIndex chunks)
{
    setChunks(std::move(chunks));
}

void VoiceSyncAligner::setChunks(ScriptChunkIndex chunks)
{
    m_chunks = std::move(chunks);
    m_readableCharacters.clear();
    m_readableCharacters.reserve(m_chunks.paragraphs().size());
    for (const ScriptParagraph &paragraph : m_chunks.paragraphs())
        m_readableCharacters.push_back(alignmentCharacters(ScriptParser::normalizedReadableText(paragraph.text)));
}

ParagraphRange VoiceSyncAligner::nearbyParagraphRange(const VoiceSyncPosition &position) const
{
    const std::int64_t anchor = position.voiceSyncParagraphIndex.value_or(position.currentParagraphIndex);
    const ParagraphRange range { std::max<std::int64_t>(anchor - chunksBehind, 0),
        std::min(anchor + chunksAhead + 1, m_chunks.count()) };
    // An anchor past the end of a script that has since become shorter searches nothing.
    return range.isEmpty() ? ParagraphRange {} : range;
}

std::vector<VoiceSyncMatch> VoiceSyncAligner::windowMatches(QStringView transcript, ParagraphRange window) const
{
    std::vector<VoiceSyncMatch> matches;
    const AlignmentCharacters characters = alignmentCharacters(ScriptParser::normalizedReadableText(transcript));
    if (characters.size() < minimumNeedleLength)
        return matches;
    std::span<const char32_t> needle(characters);
    if (needle.size() > maximumNeedleLength)
        needle = needle.last(maximumNeedleLength);
    for (std::int64_t index = window.lowerBound; index < window.upperBound; ++index) {
        const auto at = static_cast<std::size_t>(index);
        const SimilarityMatch similarity
            = VoiceSyncSimilarity::slidingSimilarityMatch(needle, m_readableCharacters[at]);
        matches.push_back(
            { index, similarity.score, m_chunks.paragraph(index).globalReadableStart + similarity.endOffset });
    }
    return matches;
}

std::optional<VoiceSyncMatch> VoiceSyncAligner::bestMatch(const std::vector<VoiceSyncMatch> &matches)
{
    std::optional<VoiceSyncMatch> best;
    for (const VoiceSyncMatch &match : matches) {
        // Only a strictly better score replaces the best, so on a tie the earlier chunk wins.
        if (best ? match.score > best->score : match.score > 0)
            best = match;
    }
    if (best && isAcceptedScore(best->score))
        return best;
    return std::nullopt;
}

bool VoiceSyncAligner::isAcceptedScore(double score)
{
    return score >= minimumMatchScore;
}

std::optional<VoiceSyncMatch> VoiceSyncAligner::matchParagraphIndex(
    QStringView transcript, const VoiceSyncPosition &position) const
{
    return bestMatch(windowMatches(transcript, nearbyParagraphRange(position)));
}

bool VoiceSyncAligner::guardAccepts(const VoiceSyncMatch &match, const std::vector<VoiceSyncMatch> &matches,
    const VoiceSyncPosition &position, double now) const
{
    if (!m_guard)
        return true;
    const std::int64_t current = position.currentParagraphIndex;
    double nearScore = 0;
    for (const VoiceSyncMatch &candidate : matches) {
        if (candidate.index == current || candidate.index == current + 1)
            nearScore = std::max(nearScore, candidate.score);
    }
    return m_guard->accepts(
        match, current, nearScore, position.spokenReadableCharacterCount, now - position.lastAdvanceTime);
}

VoiceSyncDecision VoiceSyncAligner::handleVoiceSyncUpdate(
    QStringView transcript, const VoiceSyncPosition &position, double now) const
{
    VoiceSyncDecision decision { noMatchStatus, std::nullopt, position, false };
    const std::vector<VoiceSyncMatch> matches = windowMatches(transcript, nearbyParagraphRange(position));
    const std::optional<VoiceSyncMatch> match = bestMatch(matches);
    // A match the guard refuses is treated as no match at all.
    if (!match || !guardAccepts(*match, matches, position, now))
        return decision;

    VoiceSyncPosition &next = decision.position;
    // The spoken position never moves back through alignment: a repeated sentence leaves it.
    next.spokenReadableCharacterCount
        = std::max(position.spokenReadableCharacterCount, match->readableCharacterPosition);
    if (next.spokenReadableCharacterCount > position.spokenReadableCharacterCount)
        next.lastAdvanceTime = now;
    const std::int64_t index = m_chunks.paragraphIndexForReadableCharacterCount(next.spokenReadableCharacterCount);
    next.voiceSyncParagraphIndex = index;
    next.currentParagraphIndex = index;
    decision.match = match;
    decision.shouldScroll = true;
    // The chunk named is that of the furthest spoken position, the percentage truncated.
    decision.status
        = QStringLiteral("已對齊第 %1 句 · %2%").arg(index + 1).arg(static_cast<std::int64_t>(match->score * 100));
    return decision;
}

std::int64_t VoiceSyncAligner::spokenReadableCount(
    const ScriptParagraph &paragraph, std::int64_t spokenReadableCharacterCount, bool isVoiceSyncEnabled)
{
    if (!isVoiceSyncEnabled)
        return 0;
    return std::min(ScriptParser::readableLength(paragraph.text),
        std::max<std::int64_t>(spokenReadableCharacterCount - paragraph.globalReadableStart, 0));
}

} // namespace lumetra
