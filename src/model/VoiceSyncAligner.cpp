#include "VoiceSyncAligner.h"

#include "ScriptParser.h"
#include "VerbatimStretch.h"
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
// A word or two (我, 老闆) opens an aside as often as the sentence due next: the current chunk
// counts as begun, so that the one after it is not a sentence left out, from the third character.
constexpr std::int64_t charactersBeginningAChunk = 3;

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

AlignmentCharacters VoiceSyncAligner::needleOf(QStringView transcript)
{
    return needleOfReadable(ScriptParser::normalizedReadableText(transcript));
}

AlignmentCharacters VoiceSyncAligner::needleOfReadable(QStringView readable)
{
    AlignmentCharacters characters = alignmentCharacters(readable);
    if (characters.size() < minimumNeedleLength)
        return {};
    if (characters.size() > maximumNeedleLength)
        characters.erase(characters.begin(), characters.end() - maximumNeedleLength);
    return characters;
}

std::vector<VoiceSyncMatch> VoiceSyncAligner::windowMatches(
    std::span<const char32_t> needle, ParagraphRange window) const
{
    std::vector<VoiceSyncMatch> matches;
    if (needle.empty())
        return matches;
    for (std::int64_t index = window.lowerBound; index < window.upperBound; ++index) {
        matches.push_back(matchIn(needle, index));
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
    return bestMatch(windowMatches(needleOf(transcript), nearbyParagraphRange(position)));
}

double VoiceSyncAligner::ideographWeight() const
{
    return (m_guard ? *m_guard : ForwardJumpGuard {}).ideographWeight;
}

double VoiceSyncAligner::verbatimWeight(std::span<const char32_t> needle, std::int64_t index) const
{
    return longestVerbatimStretchWeight(
        needle, m_readableCharacters[static_cast<std::size_t>(index)], ideographWeight());
}

double VoiceSyncAligner::inOrderWeight(std::span<const char32_t> needle, std::int64_t index) const
{
    return inOrderAlignmentWeight(needle, m_readableCharacters[static_cast<std::size_t>(index)], ideographWeight());
}

double VoiceSyncAligner::leadOverEarlierChunk(
    std::int64_t earlier, std::int64_t matched, const VoiceSyncPosition &position) const
{
    if (earlier != position.currentParagraphIndex)
        return 0;
    const AlignmentCharacters &own = m_readableCharacters[static_cast<std::size_t>(earlier)];
    const std::int64_t unread = m_chunks.paragraph(earlier).globalReadableStart + static_cast<std::int64_t>(own.size())
        - position.spokenReadableCharacterCount;
    if (unread < m_guard->patternUnreadCharacters)
        return 0;
    const AlignmentCharacters &other = m_readableCharacters[static_cast<std::size_t>(matched)];
    const auto opening = static_cast<std::size_t>(
        std::mismatch(own.begin(), own.end(), other.begin(), other.end()).first - own.begin());
    const bool opensAlike = stretchWeight(std::span<const char32_t>(own).first(opening), ideographWeight())
        >= m_guard->patternOpeningWeight;
    return opensAlike ? m_guard->patternLead : 0;
}

bool VoiceSyncAligner::guardAccepts(const VoiceSyncMatch &match, const std::vector<VoiceSyncMatch> &matches,
    std::span<const char32_t> needle, const VoiceSyncPosition &position, double now) const
{
    if (match.readableCharacterPosition > position.spokenReadableCharacterCount
        && isHeardWorseThanLately(match, needle, position))
        return false;
    if (!m_guard)
        return true;
    const std::int64_t current = position.currentParagraphIndex;
    MatchEvidence evidence { verbatimWeight(needle, match.index), 0, 0 };
    evidence.leavesOutASentence = match.index > dueChunk(position);
    const double secondsSinceAdvance = now - position.lastAdvanceTime;
    // Only a hurried move, or a weak one moving far, asks for it; most moves are neither.
    if (m_guard->asksHeardShare(
            match, evidence.leavesOutASentence, position.spokenReadableCharacterCount, secondsSinceAdvance))
        evidence.heardShareOfMarkedRead
            = heardShareOfMarkedRead(match, needle, m_guard->fastAdvanceMarkedReadCharacters);
    for (const VoiceSyncMatch &candidate : matches) {
        if (candidate.index == current || candidate.index == current + 1)
            evidence.nearScore = std::max(evidence.nearScore, candidate.score);
    }
    // The near chunks' stretches matter only against a far match; most matches are near.
    if (match.index > current + 1) {
        const std::int64_t last = std::min(current + 1, m_chunks.count() - 1);
        for (std::int64_t index = std::max<std::int64_t>(current - m_guard->rereadChunksBehind, 0); index <= last;
             ++index)
            evidence.nearVerbatimWeight = std::max(evidence.nearVerbatimWeight, verbatimWeight(needle, index));
    }
    const std::span<const char32_t> latest = needle.last(std::min(needle.size(), m_guard->fastAdvanceLatestCharacters));
    const double latestWeight = inOrderWeight(latest, match.index);
    for (std::int64_t index = std::max<std::int64_t>(current - m_guard->rereadChunksBehind, 0);
         index < match.index && !evidence.latestWordsFitEarlierChunk; ++index) {
        evidence.latestWordsFitEarlierChunk
            = inOrderWeight(latest, index) + leadOverEarlierChunk(index, match.index, position) >= latestWeight;
    }
    return m_guard->accepts(match, evidence, current, position.spokenReadableCharacterCount, secondsSinceAdvance);
}

double VoiceSyncAligner::heardShareOfMarkedRead(
    const VoiceSyncMatch &match, std::span<const char32_t> needle, std::size_t latestCharacters) const
{
    const AlignmentCharacters &chunk = m_readableCharacters[static_cast<std::size_t>(match.index)];
    const auto end = static_cast<std::size_t>(std::clamp<std::int64_t>(
        match.readableCharacterPosition - m_chunks.paragraph(match.index).globalReadableStart, 0,
        static_cast<std::int64_t>(chunk.size())));
    const std::size_t length = std::min(end, latestCharacters);
    const std::span<const char32_t> marked = std::span<const char32_t>(chunk).subspan(end - length, length);
    const double markedWeight = stretchWeight(marked, ideographWeight());
    if (markedWeight == 0)
        return 0;
    const std::span<const char32_t> latest = needle.last(std::min(needle.size(), latestCharacters));
    return inOrderAlignmentWeight(latest, marked, ideographWeight()) / markedWeight;
}

VoiceSyncMatch VoiceSyncAligner::matchIn(std::span<const char32_t> needle, std::int64_t index) const
{
    return matchAt(index,
        VoiceSyncSimilarity::slidingSimilarityMatch(needle, m_readableCharacters[static_cast<std::size_t>(index)]));
}

VoiceSyncMatch VoiceSyncAligner::matchAt(std::int64_t index, const SimilarityMatch &similarity) const
{
    return { index, similarity.score, m_chunks.paragraph(index).globalReadableStart + similarity.endOffset };
}

VoiceSyncAligner::WindowFinding VoiceSyncAligner::windowFinding(
    std::span<const char32_t> needle, const VoiceSyncPosition &position, double now) const
{
    const std::vector<VoiceSyncMatch> matches = windowMatches(needle, nearbyParagraphRange(position));
    const std::optional<VoiceSyncMatch> match = bestMatch(matches);
    if (match && guardAccepts(*match, matches, needle, position, now)) {
        const bool isMiddling = m_guard && match->score < m_guard->middlingMatchScore;
        return { isMiddling ? heardInOrderAsFarAs(*match, needle) : match, std::nullopt };
    }
    return { shortTranscriptMatch(needle, position, now),
        match ? currentChunkInsteadOf(*match, matches, needle, position, now) : std::nullopt };
}

std::optional<VoiceSyncMatch> VoiceSyncAligner::currentChunkInsteadOf(const VoiceSyncMatch &refused,
    const std::vector<VoiceSyncMatch> &matches, std::span<const char32_t> needle, const VoiceSyncPosition &position,
    double now) const
{
    // A far chunk that scores best on a few common words (這就是會議紀錄 four sentences on, for
    // 這就是 heard) is refused, and the presenter's own chunk (這就是庫存), which holds them in
    // order as well, would be passed over: the count would stand while he reads it.
    const std::int64_t current = position.currentParagraphIndex;
    if (!m_guard || refused.index <= current + 1)
        return std::nullopt;
    const auto candidate = std::find_if(
        matches.begin(), matches.end(), [current](const VoiceSyncMatch &match) { return match.index == current; });
    if (candidate == matches.end() || !isAcceptedScore(candidate->score))
        return std::nullopt;
    // A stretch heard unchanged, as long as the far chunk's: a few letters of an aside in English
    // are in every chunk.
    const double stretch = verbatimWeight(needle, current);
    if (stretch < m_guard->minimumVerbatimWeight || stretch < verbatimWeight(needle, refused.index)
        || !guardAccepts(*candidate, matches, needle, position, now))
        return std::nullopt;
    // Only as far as they run in order there: its comparison window runs on to a short chunk's end,
    // and a chunk marked read before it was heard to its end lets a parallel opening two sentences
    // on (第四次比較個人 after 第一次比較少見) pass for the next sentence.
    return heardInOrderAsFarAs(*candidate, needle);
}

std::optional<VoiceSyncMatch> VoiceSyncAligner::heardInOrderAsFarAs(
    VoiceSyncMatch match, std::span<const char32_t> needle) const
{
    const std::span<const char32_t> latest = needle.last(std::min(needle.size(), m_guard->weakMatchLatestCharacters));
    const LatestInOrderAlignment alignment = latestInOrderAlignment(
        latest, m_readableCharacters[static_cast<std::size_t>(match.index)], ideographWeight());
    const std::vector<double> &weights = alignment.weightByEnd;
    const auto end = static_cast<std::size_t>(std::max_element(weights.begin(), weights.end()) - weights.begin());
    if (end == 0)
        return std::nullopt; // none of the latest words in order there
    const std::size_t misheardAtMost
        = match.score < m_guard->weakMatchScore ? 0 : m_guard->middlingMatchMisheardCharacters;
    const std::size_t misheard = std::min(alignment.heardAfterByEnd[end], misheardAtMost);
    match.readableCharacterPosition = std::min(match.readableCharacterPosition,
        m_chunks.paragraph(match.index).globalReadableStart + static_cast<std::int64_t>(end + misheard));
    return match;
}

std::optional<VoiceSyncMatch> VoiceSyncAligner::shortTranscriptMatch(
    std::span<const char32_t> needle, const VoiceSyncPosition &position, double now) const
{
    if (!m_shortTranscripts || !m_shortTranscripts->appliesTo(needle.size()))
        return std::nullopt;
    const std::int64_t current = position.currentParagraphIndex;
    std::optional<VoiceSyncMatch> best;
    for (std::int64_t index = std::max<std::int64_t>(current - 1, 0);
         index <= std::min(current + 1, m_chunks.count() - 1); ++index) {
        const VoiceSyncMatch match = matchAt(index,
            VoiceSyncSimilarity::wholeNeedleMatch(needle, m_readableCharacters[static_cast<std::size_t>(index)]));
        if (!best || match.score > best->score)
            best = match;
    }
    if (!best || best->score < shortTranscriptMinimumScore(best->index, position)
        || verbatimWeight(needle, best->index) < m_shortTranscripts->minimumVerbatimWeight
        || !guardAccepts(*best, {}, needle, position, now))
        return std::nullopt;
    // Only as far as heard in order: the comparison window runs on past the words heard, and five
    // characters opening as a chunk does (第二步是主, for 第二步是安排合約) marked all of it read.
    return m_guard ? heardInOrderAsFarAs(*best, needle) : best;
}

double VoiceSyncAligner::shortTranscriptMinimumScore(std::int64_t index, const VoiceSyncPosition &position) const
{
    const bool leavesNothingOut = index <= dueChunk(position) || isLastChunkNext(index, position.currentParagraphIndex);
    const bool isShortChunkWithinReach = leavesNothingOut
        && m_readableCharacters[static_cast<std::size_t>(index)].size() <= m_shortTranscripts->longestLength;
    return isShortChunkWithinReach ? m_shortTranscripts->minimumDueShortChunkScore : m_shortTranscripts->minimumScore;
}

bool VoiceSyncAligner::isLastChunkNext(std::int64_t index, std::int64_t shown) const
{
    return index == m_chunks.count() - 1 && index <= shown + 1;
}

std::optional<VoiceSyncMatch> VoiceSyncAligner::shortChunkHeardWhole(
    std::span<const char32_t> needle, const VoiceSyncPosition &position) const
{
    if (!m_shortTranscripts)
        return std::nullopt;
    const std::int64_t current = std::max<std::int64_t>(position.currentParagraphIndex, 0);
    // Beyond the window only as far as the search looks, when it looks at all.
    const std::int64_t ahead = m_recovery ? std::max(m_recovery->chunksSearchedAhead, chunksAhead) : chunksAhead;
    const std::int64_t last = std::min(current + ahead, m_chunks.count() - 1);
    const std::int64_t rereadChunksBehind = (m_guard ? *m_guard : ForwardJumpGuard {}).rereadChunksBehind;
    for (std::int64_t index = current; index <= last; ++index) {
        const AlignmentCharacters &chunk = m_readableCharacters[static_cast<std::size_t>(index)];
        // The script's last chunk needs no more beyond the window than in it: a presenter who
        // leaves out the rest of his talk for its closing sentence (這就是照片, six sentences on)
        // says nothing after it to be found by, and the prompter never showed it. An aside would
        // have to end in that sentence's own words, whole, within the talk's last sentences.
        const bool asksMoreBeyondWindow = index > current + chunksAhead && index < m_chunks.count() - 1;
        const double minimumWeight = asksMoreBeyondWindow ? m_shortTranscripts->minimumWholeChunkWeightBeyondWindow
                                                          : m_shortTranscripts->minimumWholeChunkWeight;
        const bool isHeardWhole = chunk.size() <= m_shortTranscripts->longestLength
            && stretchWeight(chunk, ideographWeight()) >= minimumWeight && needle.size() >= chunk.size()
            && std::equal(chunk.begin(), chunk.end(), needle.end() - chunk.size());
        if (!isHeardWhole)
            continue;
        // The same words in a chunk before it are more likely where he is: a re-read sentence, or
        // the end of a longer one.
        for (std::int64_t earlier = std::max<std::int64_t>(current - rereadChunksBehind, 0); earlier < index;
             ++earlier) {
            const AlignmentCharacters &words = m_readableCharacters[static_cast<std::size_t>(earlier)];
            if (std::search(words.begin(), words.end(), chunk.begin(), chunk.end()) != words.end())
                return std::nullopt;
        }
        const std::int64_t start = m_chunks.paragraph(index).globalReadableStart;
        return VoiceSyncMatch { index, 1.0, start + static_cast<std::int64_t>(chunk.size()) };
    }
    return std::nullopt;
}

VoiceSyncMatch VoiceSyncAligner::throughMisheardLastCharacter(
    VoiceSyncMatch match, std::span<const char32_t> needle) const
{
    // A chunk's last character misheard leaves the match one short of its end, and the prompter
    // on a chunk the presenter has finished: the sentence after it would count as one left out.
    const AlignmentCharacters &chunk = m_readableCharacters[static_cast<std::size_t>(match.index)];
    const std::int64_t end
        = m_chunks.paragraph(match.index).globalReadableStart + static_cast<std::int64_t>(chunk.size());
    const bool isOneShort = chunk.size() >= 2 && match.readableCharacterPosition == end - 1;
    // One character heard after the match's last, which must be the chunk's last but one.
    if (isOneShort && needle.size() >= 2 && needle[needle.size() - 2] == chunk[chunk.size() - 2])
        match.readableCharacterPosition = end;
    return match;
}

std::optional<VoiceSyncMatch> VoiceSyncAligner::countThroughMisheardLastCharacter(
    std::span<const char32_t> needle, const VoiceSyncPosition &position) const
{
    const std::int64_t current = position.currentParagraphIndex;
    if (current < 0 || current >= m_chunks.count())
        return std::nullopt;
    // 這就是发 then 這, for 這就是發票: no match holds the count, the window having moved on to the
    // chunks those words open alike, and the sentence read next would count as one left out.
    const VoiceSyncMatch standing { current, 0, position.spokenReadableCharacterCount };
    VoiceSyncMatch finished = throughMisheardLastCharacter(standing, needle);
    if (finished.readableCharacterPosition == standing.readableCharacterPosition)
        return std::nullopt;
    // Only a chunk read since the count reached it, and heard as well as the presenter lately is:
    // an aside's move on a word or two it shares (分享 of 使用者分享了) leaves the count there too,
    // and from the chunk's end the aside's next words, or a step, carry it a chunk further.
    const auto length = static_cast<std::int64_t>(m_readableCharacters[static_cast<std::size_t>(current)].size());
    if (position.heard.charactersSinceSentenceEnded < length - 1 || isHeardWorseThanLately(finished, needle, position))
        return std::nullopt;
    finished.score = matchIn(needle, current).score;
    return finished;
}

bool VoiceSyncAligner::isCurrentChunkSaid(const VoiceSyncPosition &position) const
{
    const std::int64_t current = position.currentParagraphIndex;
    if (current < 0 || current >= m_chunks.count())
        return false;
    const AlignmentCharacters &chunk = m_readableCharacters[static_cast<std::size_t>(current)];
    const auto begun = std::clamp<std::int64_t>(static_cast<std::int64_t>(chunk.size()), 1, charactersBeginningAChunk);
    if (position.spokenReadableCharacterCount >= m_chunks.paragraph(current).globalReadableStart + begun)
        return true;
    // A short chunk heard with most of its characters wrong moves nothing, and the presenter
    // reading the next one would count as having left it out.
    if (!m_shortTranscripts || chunk.size() > m_shortTranscripts->longestLength)
        return false;
    const std::size_t later = m_shortTranscripts->charactersHeardAfterAShortChunk;
    const auto sinceAdvance
        = static_cast<std::size_t>(std::max<std::int64_t>(position.heard.charactersSinceAdvance, 0));
    // Most updates end here, before the heard words are converted.
    if (sinceAdvance < chunk.size() + later)
        return false;
    const AlignmentCharacters heard = alignmentCharacters(position.heard.recent());
    const std::size_t heardSinceAdvance = std::min(heard.size(), sinceAdvance);
    if (heardSinceAdvance < chunk.size() + later)
        return false;
    const std::span<const char32_t> beforeTheLatest
        = std::span<const char32_t>(heard).last(heardSinceAdvance).first(heardSinceAdvance - later);
    return inOrderAlignmentWeight(beforeTheLatest, chunk, ideographWeight()) >= ideographWeight();
}

VoiceSyncPosition VoiceSyncAligner::beforeStep(VoiceSyncPosition position) const
{
    if (position.countBeforeStep) {
        position.spokenReadableCharacterCount = *position.countBeforeStep;
        position.currentParagraphIndex = m_chunks.paragraphIndexForReadableCharacterCount(*position.countBeforeStep);
        position.voiceSyncParagraphIndex = position.currentParagraphIndex;
    }
    return position;
}

std::int64_t VoiceSyncAligner::dueChunk(const VoiceSyncPosition &position) const
{
    return position.currentParagraphIndex + (isCurrentChunkSaid(position) ? 1 : 0);
}

VoiceSyncDecision VoiceSyncAligner::handleVoiceSyncUpdate(
    QStringView transcript, const VoiceSyncPosition &position, double now) const
{
    VoiceSyncDecision decision { noMatchStatus, std::nullopt, position, false };
    VoiceSyncPosition &next = decision.position;
    const QString readable = ScriptParser::normalizedReadableText(transcript);
    const AlignmentCharacters needle = needleOfReadable(readable);
    next.heard = position.heard.after(readable);
    const VoiceSyncPosition weighed = beforeStep(next);
    // A match the guard refuses is no match, though the current chunk may take its words (below).
    const WindowFinding found = windowFinding(needle, weighed, now);
    std::optional<VoiceSyncMatch> match = found.accepted;
    bool isStep = false;
    const auto advances = [&position](const std::optional<VoiceSyncMatch> &candidate) {
        return candidate && candidate->readableCharacterPosition > position.spokenReadableCharacterCount;
    };
    if (!advances(match)) {
        // The search follows the words across recognition runs.
        const Recovery recovery = recover(weighed, now);
        if (recovery.heldBackMove)
            next.heldBackMove = recovery.heldBackMove;
        if (recovery.match)
            match = recovery.match;
        if (recovery.isRereading)
            next.heard.charactersSinceAdvance = 0; // found, if not moved: he is not lost
        if (!match)
            match = found.currentChunkInstead;
        if (!advances(match)) {
            if (const std::optional<VoiceSyncMatch> whole = shortChunkHeardWhole(needle, weighed); advances(whole))
                match = whole;
        }
        // Nothing found since, the move held back is the likeliest place he has gone.
        if (!advances(match) && isHeldBackMoveDue(weighed, now))
            match = weighed.heldBackMove;
        if (!advances(match) && advances(recovery.step)) {
            match = recovery.step;
            isStep = true;
        }
        if (!advances(match)) {
            if (const std::optional<VoiceSyncMatch> finished = countThroughMisheardLastCharacter(needle, weighed);
                advances(finished))
                match = finished;
        }
    }
    if (!match)
        return decision;
    // Only in the chunk he was reading: a match that has just jumped to a chunk may be an aside's.
    if (match->index == weighed.currentParagraphIndex)
        *match = throughMisheardLastCharacter(*match, needle);

    // The spoken position never moves back through alignment: a repeated sentence leaves it.
    next.spokenReadableCharacterCount
        = std::max(position.spokenReadableCharacterCount, match->readableCharacterPosition);
    // Heard reading what a step passed, the presenter was not where it put him: his reading moves
    // the count the rules weigh from, as it would have moved the count itself.
    const bool readsWhatAStepPassed
        = position.countBeforeStep && match->readableCharacterPosition > weighed.spokenReadableCharacterCount;
    // A step finds no one: the presenter is as long unfound as before it.
    const bool countMoved = next.spokenReadableCharacterCount > position.spokenReadableCharacterCount;
    if ((countMoved && !isStep) || readsWhatAStepPassed) {
        next.lastAdvanceTime = now;
        const auto chunkOf
            = [this](std::int64_t count) { return m_chunks.paragraphIndexForReadableCharacterCount(count); };
        next.heard = next.heard.afterCountMoved(
            chunkOf(match->readableCharacterPosition) > chunkOf(weighed.spokenReadableCharacterCount));
    }
    if (countMoved && !isStep)
        next.heldBackMove.reset();
    if (isStep)
        next.countBeforeStep = position.spokenReadableCharacterCount;
    else if (readsWhatAStepPassed && match->readableCharacterPosition < position.spokenReadableCharacterCount)
        next.countBeforeStep = match->readableCharacterPosition;
    else if (countMoved || readsWhatAStepPassed)
        next.countBeforeStep.reset();
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
