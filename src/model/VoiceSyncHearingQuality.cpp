#include "VoiceSyncAligner.h"

#include "VerbatimStretch.h"

#include <algorithm>
#include <span>

// Whether a move holds as much of its chunk as the presenter's words have lately held of the
// script.
namespace lumetra {

AlignmentCharacters VoiceSyncAligner::scriptBefore(std::int64_t count, std::size_t characters) const
{
    AlignmentCharacters script;
    for (std::int64_t index = m_chunks.paragraphIndexForReadableCharacterCount(count);
         index >= 0 && index < m_chunks.count() && script.size() < characters; --index) {
        const AlignmentCharacters &chunk = m_readableCharacters[static_cast<std::size_t>(index)];
        const auto end = static_cast<std::size_t>(std::clamp<std::int64_t>(
            count - m_chunks.paragraph(index).globalReadableStart, 0, static_cast<std::int64_t>(chunk.size())));
        const std::size_t taken = std::min(end, characters - script.size());
        script.insert(script.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(end - taken),
            chunk.begin() + static_cast<std::ptrdiff_t>(end));
    }
    return script;
}

double VoiceSyncAligner::recentHearingQuality(const VoiceSyncPosition &position) const
{
    const AlignmentCharacters heard = alignmentCharacters(position.heard.recent());
    const std::size_t skipped
        = static_cast<std::size_t>(std::max<std::int64_t>(position.heard.charactersSinceAdvance, 0))
        + m_hearingQuality->boundaryCharacters;
    const std::size_t length = m_hearingQuality->historyCharacters;
    if (heard.size() < skipped + length)
        return 0;
    const std::span<const char32_t> history
        = std::span<const char32_t>(heard).subspan(heard.size() - skipped - length, length);
    const double weight = stretchWeight(history, ideographWeight());
    if (weight == 0)
        return 0;
    const AlignmentCharacters script
        = scriptBefore(position.spokenReadableCharacterCount, length + 2 * m_hearingQuality->boundaryCharacters);
    return inOrderAlignmentWeight(history, script, ideographWeight()) / weight;
}

bool VoiceSyncAligner::isHeardWorseThanLately(const VoiceSyncMatch &match, std::span<const char32_t> needle,
    const VoiceSyncPosition &position, bool leavesOutASentenceWhileFound) const
{
    if (!m_hearingQuality)
        return false;
    const bool isBeyondWindow = match.index >= nearbyParagraphRange(position).upperBound;
    double margin = isBeyondWindow ? m_hearingQuality->marginBeyondWindow : m_hearingQuality->margin;
    if (leavesOutASentenceWhileFound)
        margin = std::min(margin, m_hearingQuality->marginLeavingOutASentence);
    const double required = recentHearingQuality(position) - margin;
    return required > 0 && heardShareOfMarkedRead(match, needle, m_hearingQuality->markedReadCharacters) < required;
}

} // namespace lumetra
