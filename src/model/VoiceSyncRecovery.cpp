#include "VoiceSyncAligner.h"

#include "VerbatimStretch.h"
#include "VoiceSyncSimilarity.h"

#include <algorithm>
#include <span>

// The search beyond the window: where the latest words run in order through the chunks around
// the position, and whether that is evidence enough to move there.
namespace lumetra {

double VoiceSyncAligner::latestAlignmentWeight(std::span<const char32_t> latest, std::int64_t index) const
{
    if (index < 0 || index >= m_chunks.count())
        return 0;
    const std::vector<double> weights = latestInOrderAlignmentWeights(
        latest, m_readableCharacters[static_cast<std::size_t>(index)], ideographWeight());
    return *std::max_element(weights.begin(), weights.end());
}

double VoiceSyncAligner::heaviestLatestAlignmentWeight(
    std::span<const char32_t> latest, std::int64_t first, std::int64_t last) const
{
    double heaviest = 0;
    for (std::int64_t index = first; index <= last; ++index)
        heaviest = std::max(heaviest, latestAlignmentWeight(latest, index));
    return heaviest;
}

VoiceSyncAligner::SearchedText VoiceSyncAligner::searchedText(std::int64_t first, std::int64_t end) const
{
    SearchedText searched;
    for (std::int64_t index = first; index < end; ++index) {
        searched.chunkStarts.push_back(searched.characters.size());
        const AlignmentCharacters &chunk = m_readableCharacters[static_cast<std::size_t>(index)];
        searched.characters.insert(searched.characters.end(), chunk.begin(), chunk.end());
    }
    return searched;
}

bool VoiceSyncAligner::hasStoodFor(
    const VoiceSyncPosition &position, std::int64_t characters, double seconds, double now)
{
    return position.heard.charactersSinceAdvance >= characters && now - position.lastAdvanceTime >= seconds;
}

bool VoiceSyncAligner::isVeryLongLost(const VoiceSyncPosition &position, double now) const
{
    return hasStoodFor(position, m_recovery->charactersWhenVeryLongLost, m_recovery->secondsWhenVeryLongLost, now);
}

VoiceSyncAligner::SearchState VoiceSyncAligner::searchState(const VoiceSyncPosition &position, double now) const
{
    const std::int64_t anchor = position.voiceSyncParagraphIndex.value_or(position.currentParagraphIndex);
    return { anchor, std::max<std::int64_t>(anchor - m_recovery->chunksBehind, 0), dueChunk(position),
        hasStoodFor(position, m_recovery->charactersWhenLongLost, m_recovery->secondsWhenLongLost, now),
        isVeryLongLost(position, now) };
}

bool VoiceSyncAligner::isInWindow(std::int64_t index, const SearchState &state) const
{
    return index <= state.anchor + m_recovery->chunksAhead;
}

bool VoiceSyncAligner::isBeyondSearch(std::int64_t index, const SearchState &state) const
{
    return index > state.anchor + m_recovery->chunksSearchedAhead;
}

bool VoiceSyncAligner::isShortChunk(std::int64_t index) const
{
    return m_readableCharacters[static_cast<std::size_t>(index)].size() <= m_recovery->longestShortChunk;
}

bool VoiceSyncAligner::needsDueShortChunkEvidence(std::int64_t index, const SearchState &state) const
{
    return (index == state.dueChunk && isShortChunk(index)) || isLastChunkNext(index, state.anchor);
}

double VoiceSyncAligner::minimumAlignmentWeight(
    std::int64_t index, std::int64_t firstRead, const SearchState &state) const
{
    const double usual = usualMinimumAlignmentWeight(index, firstRead, state);
    if (!needsDueShortChunkEvidence(index, state))
        return usual;
    const double ownShare = m_recovery->dueShortChunkShare
        * stretchWeight(m_readableCharacters[static_cast<std::size_t>(index)], ideographWeight());
    return std::min(usual, std::max(ownShare, m_recovery->minimumDueShortChunkWeight));
}

double VoiceSyncAligner::usualMinimumAlignmentWeight(
    std::int64_t index, std::int64_t firstRead, const SearchState &state) const
{
    if (isBeyondSearch(index, state))
        return m_recovery->minimumAlignmentWeightBeyondSearch;
    if (state.isVeryLongLost)
        return m_recovery->minimumAlignmentWeightWhenVeryLongLost;
    if (state.isLongLost)
        return isInWindow(index, state) ? m_recovery->minimumNearAlignmentWeight
                                        : m_recovery->minimumAlignmentWeightBeyondWindowWhenLongLost;
    if (firstRead - state.dueChunk <= m_recovery->nearSentencesLeftOut)
        return m_recovery->minimumNearAlignmentWeight;
    return isInWindow(index, state) ? m_recovery->minimumAlignmentWeight
                                    : m_recovery->minimumAlignmentWeightBeyondWindow;
}

bool VoiceSyncAligner::isHeardEnoughOfAShortChunk(
    const VoiceSyncMatch &match, std::int64_t dueChunk, std::span<const char32_t> latest) const
{
    return !isShortChunk(match.index) || match.index <= dueChunk
        || heardShareOfMarkedRead(match, latest, m_recovery->latestCharacters)
        >= m_recovery->shortChunkMinimumHeardShare;
}

bool VoiceSyncAligner::isHeavyEnough(
    std::int64_t index, std::int64_t firstRead, double weight, double lead, const SearchState &state) const
{
    if (weight >= minimumAlignmentWeight(index, firstRead, state))
        return true;
    const bool isBeyondWindow = !isInWindow(index, state) && !isBeyondSearch(index, state);
    return isBeyondWindow && weight >= m_recovery->minimumLoneAlignmentWeightBeyondWindow
        && lead >= m_recovery->minimumLoneLeadBeyondWindow;
}

bool VoiceSyncAligner::isHeardWell(const VoiceSyncPosition &position) const
{
    return m_hearingQuality && recentHearingQuality(position) >= m_recovery->hearingQualityForUnreadWordsOnly;
}

std::size_t VoiceSyncAligner::searchedOffset(std::int64_t first, std::size_t end, std::int64_t count) const
{
    return static_cast<std::size_t>(std::clamp<std::int64_t>(
        count - m_chunks.paragraph(first).globalReadableStart, 0, static_cast<std::int64_t>(end)));
}

double VoiceSyncAligner::readerAlignmentWeight(std::span<const char32_t> latest, const SearchedText &searched,
    std::int64_t first, std::size_t end, std::int64_t from) const
{
    const std::size_t unread = searchedOffset(first, end, from);
    const std::span<const char32_t> text = std::span<const char32_t>(searched.characters).first(end).subspan(unread);
    // A presenter who left out a sentence reads the next one from its start.
    std::vector<std::size_t> sentenceStarts;
    for (const std::size_t start : searched.chunkStarts) {
        if (start > unread && start < end)
            sentenceStarts.push_back(start - unread);
    }
    return latestAnchoredAlignmentWeights(
        latest, text, sentenceStarts, m_recovery->sentenceStartSlack, ideographWeight())
        .back();
}

std::int64_t VoiceSyncAligner::firstChunkRead(std::span<const char32_t> latest, const SearchedText &searched,
    std::int64_t first, std::size_t end, std::int64_t index, const SearchState &state) const
{
    const std::int64_t before = index - 1;
    if (before < state.dueChunk || !isShortChunk(before))
        return index;
    const double fromShortChunk
        = readerAlignmentWeight(latest, searched, first, end, m_chunks.paragraph(before).globalReadableStart);
    const double fromOwnStart
        = readerAlignmentWeight(latest, searched, first, end, m_chunks.paragraph(index).globalReadableStart);
    return fromShortChunk >= fromOwnStart + m_recovery->minimumShortChunkReadWeight ? before : index;
}

double VoiceSyncAligner::heardBadlyLeavingOutWeight(std::span<const char32_t> latest, const SearchedText &searched,
    std::int64_t first, std::size_t end, const VoiceSyncPosition &position, std::int64_t index, double whole) const
{
    const std::int64_t current = std::clamp(position.currentParagraphIndex, first, index);
    const double fromCurrentChunk
        = readerAlignmentWeight(latest, searched, first, end, m_chunks.paragraph(current).globalReadableStart);
    const double ownWordsOnly
        = readerAlignmentWeight(latest, searched, first, end, m_chunks.paragraph(index).globalReadableStart);
    if (fromCurrentChunk <= ownWordsOnly + m_recovery->minimumLeftOutWordsWeight)
        return fromCurrentChunk;
    const double readJoined
        = readJoinedToChunkWeight(latest, searched, first, end, position.spokenReadableCharacterCount, index);
    return readJoined < whole + m_recovery->minimumLeadOfWordsReadOverLeftOutWords ? whole : ownWordsOnly;
}

double VoiceSyncAligner::readJoinedToChunkWeight(std::span<const char32_t> latest, const SearchedText &searched,
    std::int64_t first, std::size_t end, std::int64_t count, std::int64_t index) const
{
    const AlignmentCharacters joined
        = readJoinedToChunk(searched, searchedOffset(first, end, count), static_cast<std::size_t>(index - first), end);
    return latestInOrderAlignmentWeights(latest, joined, ideographWeight()).back();
}

AlignmentCharacters VoiceSyncAligner::readJoinedToChunk(
    const SearchedText &searched, std::size_t read, std::size_t chunk, std::size_t end)
{
    const std::size_t ownStart = searched.chunkStarts[chunk];
    const auto text = searched.characters.begin();
    AlignmentCharacters joined(text, text + static_cast<std::ptrdiff_t>(std::min(read, ownStart)));
    joined.insert(joined.end(), text + static_cast<std::ptrdiff_t>(ownStart), text + static_cast<std::ptrdiff_t>(end));
    return joined;
}

bool VoiceSyncAligner::holdsLatestWordsBetterThanReachedChunks(std::span<const char32_t> latest, std::int64_t index,
    const SearchState &state, const VoiceSyncPosition &position) const
{
    const std::span<const char32_t> latestFew
        = latest.last(std::min(latest.size(), m_recovery->reachedChunkLatestCharacters));
    const double heldByReachedChunks
        = heaviestLatestAlignmentWeight(latestFew, state.firstSearched, position.currentParagraphIndex);
    return latestAlignmentWeight(latestFew, index) >= heldByReachedChunks + m_recovery->minimumOwnLeadOverReachedChunks;
}

bool VoiceSyncAligner::isStepHeardAsRead(std::span<const char32_t> latest, const SearchedText &searched,
    std::size_t end, std::int64_t index, bool isShortChunkNext, const SearchState &state,
    const VoiceSyncPosition &position) const
{
    // A presenter who left out a sentence reads the next one from its start. A short chunk is
    // asked so always: an aside ending in its last words (…更新自動的密碼, for 保留少見的密碼) holds
    // them as well, and had already carried the count through the short chunk due on words of
    // its own. Nor do words a chunk already reached holds as well step on: a count run ahead on a
    // re-read sentence of the script's pattern (第四次比較手動 over 第二次比較便宜), then the
    // presenter reading that chunk, stepped on past him. A chunk two on is asked so while he is
    // heard well: an aside's stock words (這個供應商, after 小團隊一定準備 had carried the count
    // through the short chunk due) ran in order from the middle of the chunk after the one due
    // into the middle of the next, and the step left the prompter two ahead of him. Heard badly,
    // his opening words are as often lost as heard, and the step is what shows him his chunk.
    if (!isShortChunkNext && !isHeardWell(position))
        return true;
    const bool isReadFromASentenceStart
        = readerAlignmentWeight(latest, searched, state.firstSearched, end, position.spokenReadableCharacterCount)
        >= m_recovery->minimumStepWeight;
    return isReadFromASentenceStart
        && (!isShortChunkNext || holdsLatestWordsBetterThanReachedChunks(latest, index, state, position));
}

double VoiceSyncAligner::latestWordsScore(std::span<const char32_t> latest, std::span<const char32_t> said)
{
    return VoiceSyncSimilarity::similarityScore(latest, said.last(std::min(said.size(), latest.size())));
}

VoiceSyncAligner::Recovery VoiceSyncAligner::stepToward(std::int64_t index, double weight, double lead,
    std::span<const char32_t> latest, const SearchedText &searched, std::size_t end, const SearchState &state,
    const VoiceSyncPosition &position) const
{
    // Once only, to the start of the chunk after the one shown: a step on top of another, or
    // past the chunk after the one shown, would run the prompter two ahead of a presenter who
    // made an aside. Not toward the last chunk either, where its own rules take over. Toward the
    // chunk just after the one shown only when it is short and the one shown is due: read after
    // the one due was left out, it is over before its few words weigh a move there, while a
    // longer one is found on its own words before the presenter is through it, and asides
    // opening as it does would show it while he reads the one due. From a chunk begun, the step
    // finishes it: heard with two of its last characters wrong (已經公開嗎 as 已經公經麼), it
    // otherwise keeps the prompter there while the presenter reads on, the chunk he reads being
    // one left out to the search.
    const std::int64_t shown = position.currentParagraphIndex;
    const bool isShortChunkNext = index == shown + 1 && state.dueChunk == shown && isShortChunk(index);
    if (position.countBeforeStep || !(isShortChunkNext || index == shown + 2) || index >= m_chunks.count() - 1
        || weight < m_recovery->minimumStepWeight || lead < m_recovery->minimumStepLead)
        return {};
    if (!isStepHeardAsRead(latest, searched, end, index, isShortChunkNext, state, position))
        return {};
    // Scored only once taken: most refused updates take no step.
    const double score = latestWordsScore(latest, std::span<const char32_t>(searched.characters).first(end));
    return { std::nullopt, false,
        VoiceSyncMatch { shown + 1, score, m_chunks.paragraph(shown + 1).globalReadableStart } };
}

double VoiceSyncAligner::weightHeardSinceSentenceEnded(std::span<const char32_t> latest, const SearchedText &searched,
    std::int64_t first, std::size_t end, const VoiceSyncPosition &position) const
{
    // The sentence just read (…新同事安排這個步驟) shares words with the one after the count
    // (所以新同事真的把這個素材), and ran on through them into an aside's opening (反過來說團隊, for
    // 反過來說小團隊… two sentences on).
    const auto since = static_cast<std::size_t>(std::max<std::int64_t>(position.heard.charactersSinceSentenceEnded, 0));
    const std::span<const char32_t> heard = latest.last(std::min(latest.size(), since));
    return heard.empty() ? 0
                         : readerAlignmentWeight(heard, searched, first, end, position.spokenReadableCharacterCount);
}

bool VoiceSyncAligner::holdsBackMove(
    std::int64_t alignmentEnd, double weight, const SearchState &state, const VoiceSyncPosition &position) const
{
    if (state.isLongLost || weight >= m_recovery->minimumAlignmentWeight || !m_hearingQuality
        || recentHearingQuality(position) < m_recovery->minimumHearingQualityToHoldBackMoves)
        return false;
    if (!position.heldBackMove)
        return true;
    const auto chunkEndingAt
        = [this](std::int64_t end) { return m_chunks.paragraphIndexForReadableCharacterCount(end - 1); };
    const std::int64_t heldEnd = position.heldBackMove->readableCharacterPosition;
    return alignmentEnd <= heldEnd || chunkEndingAt(alignmentEnd) > chunkEndingAt(heldEnd) + 1;
}

bool VoiceSyncAligner::isHeldBackMoveDue(const VoiceSyncPosition &position, double now) const
{
    return m_recovery && position.heldBackMove && isVeryLongLost(position, now);
}

namespace {

std::size_t heaviestEnd(const std::vector<double> &weights)
{
    return static_cast<std::size_t>(std::max_element(weights.begin(), weights.end()) - weights.begin());
}

// Alignments ending a few characters from the heaviest one are that one, shifted; any other is
// another place the presenter might be (a pattern repeated a sentence on).
double leadOfHeaviest(const std::vector<double> &weights, std::size_t heaviest, std::size_t shift)
{
    double runnerUpWeight = 0;
    for (std::size_t j = 0; j < weights.size(); ++j) {
        if (j + shift <= heaviest || j >= heaviest + shift)
            runnerUpWeight = std::max(runnerUpWeight, weights[j]);
    }
    return weights[heaviest] - runnerUpWeight;
}

} // namespace

bool VoiceSyncAligner::isUnrivalledAlignment(std::span<const char32_t> latest, const SearchedText &searched,
    std::size_t heaviest, double lead, std::int64_t index, const SearchState &state,
    const VoiceSyncPosition &position) const
{
    if (!needsDueShortChunkEvidence(index, state))
        return lead >= m_recovery->minimumLead;
    if (lead >= m_recovery->minimumDueShortChunkLead)
        return true;
    // The sentence just read, still among the latest words, holds them to its own end nearly as
    // well as the short chunk due or the last one does with its few words after it (這套系統準備
    // 報告和答案 then 這就經分類, of 這就是分類: 24 against 28). Weighed on the words heard since the
    // count last passed the end of a sentence, the chunk is as clearly where they run as such a
    // chunk needs. Not since it last moved: the sentence just read, running clearly through words
    // already read, restarts that count at each partial result.
    const auto since = static_cast<std::size_t>(std::max<std::int64_t>(position.heard.charactersSinceSentenceEnded, 0));
    if (since < m_recovery->fewestWordsHeardSinceSentenceEnded || since >= latest.size())
        return false;
    const std::vector<double> sinceWeights
        = latestInOrderAlignmentWeights(latest.last(since), searched.characters, ideographWeight());
    const std::size_t sinceHeaviest = heaviestEnd(sinceWeights);
    return sinceHeaviest == heaviest
        && leadOfHeaviest(sinceWeights, sinceHeaviest, m_recovery->sameAlignmentShift)
        >= m_recovery->minimumDueShortChunkLead;
}

VoiceSyncAligner::Recovery VoiceSyncAligner::recover(const VoiceSyncPosition &position, double now) const
{
    if (!m_recovery)
        return {};
    const AlignmentCharacters recent = needleOfReadable(position.heard.recent());
    if (recent.size() < m_recovery->shortestNeedle)
        return {};
    const SearchState state = searchState(position, now);
    const std::int64_t first = state.firstSearched;
    const std::int64_t ahead
        = state.isLongLost ? m_recovery->chunksSearchedAheadWhenLongLost : m_recovery->chunksSearchedAhead;
    const std::int64_t end = std::min(state.anchor + ahead + 1, m_chunks.count());
    if (first >= end)
        return {};
    // The chunks searched as one text, so that words running from one chunk into the next (a
    // short sentence and the one after it) align as they were said.
    const SearchedText searched = searchedText(first, end);
    const std::size_t latestCount
        = state.isLongLost ? m_recovery->latestCharactersWhenLongLost : m_recovery->latestCharacters;
    const std::span<const char32_t> latest
        = std::span<const char32_t>(recent).last(std::min(recent.size(), latestCount));
    const std::vector<double> weights = latestInOrderAlignmentWeights(latest, searched.characters, ideographWeight());
    const std::size_t heaviest = heaviestEnd(weights);
    if (heaviest == 0)
        return {};
    const std::size_t chunk = searched.chunkEndingAt(heaviest);
    const std::int64_t index = first + static_cast<std::int64_t>(chunk);
    const std::int64_t alignmentEnd = m_chunks.paragraph(index).globalReadableStart
        + static_cast<std::int64_t>(heaviest - searched.chunkStarts[chunk]);
    const double lead = leadOfHeaviest(weights, heaviest, m_recovery->sameAlignmentShift);
    const bool isUnrivalled = isUnrivalledAlignment(latest, searched, heaviest, lead, index, state, position);
    // Only forward: the spoken position never moves back through alignment.
    if (alignmentEnd <= position.spokenReadableCharacterCount)
        return { std::nullopt, isUnrivalled && weights[heaviest] >= m_recovery->minimumRereadWeight };
    std::span<const char32_t> said = std::span<const char32_t>(searched.characters).first(heaviest);
    // Evidence too light for the move may still be enough for a step toward it.
    const auto stepInstead
        = [&] { return stepToward(index, weights[heaviest], lead, latest, searched, heaviest, state, position); };
    if (!isUnrivalled)
        return stepInstead();
    // The last chunk next leaves out at most the sentence before it and runs the prompter no
    // further: none of the checks that keep an aside from carrying it ahead apply.
    const bool skipsToLastChunk = index > state.dueChunk && isLastChunkNext(index, state.anchor);
    // A short chunk due, its words running into the next one's, was read: the move leaves nothing out.
    const std::int64_t firstRead = firstChunkRead(latest, searched, first, heaviest, index, state);
    const bool leavesOutASentence = firstRead > state.dueChunk && !skipsToLastChunk;
    // A move that leaves out a sentence is weighed on what a reader could have begun: the words
    // after the count while he is heard well, and beyond the window at any rate.
    double weight = weights[heaviest];
    if (leavesOutASentence) {
        const std::int64_t searchedFrom = m_chunks.paragraph(first).globalReadableStart;
        if (isHeardWell(position))
            weight = readerAlignmentWeight(latest, searched, first, heaviest, position.spokenReadableCharacterCount);
        else if (!isInWindow(index, state))
            weight = readerAlignmentWeight(latest, searched, first, heaviest, searchedFrom);
        else
            weight = heardBadlyLeavingOutWeight(latest, searched, first, heaviest, position, index, weight);
    }
    if (!isHeavyEnough(index, firstRead, weight, lead, state))
        return stepInstead();
    const bool marksMoreThanAFewWords = m_hearingQuality
        && alignmentEnd - position.spokenReadableCharacterCount
            > static_cast<std::int64_t>(m_hearingQuality->uncheckedMarkedReadCharacters);
    // Refused as a move by the checks against an aside, the words may still step the count toward
    // the chunk: an aside that steps it leaves the prompter one ahead at worst.
    if ((leavesOutASentence || marksMoreThanAFewWords)
        && isHeardWorseThanLately(
            { index, 0, alignmentEnd }, latest, position, leavesOutASentence && !state.isLongLost))
        return stepInstead();
    if (leavesOutASentence) {
        const double heldByCurrentChunk = latestAlignmentWeight(latest, position.currentParagraphIndex);
        if (weights[heaviest] < heldByCurrentChunk + m_recovery->minimumLeadOverCurrentChunk
            || !holdsLatestWordsBetterThanReachedChunks(latest, index, state, position))
            return stepInstead();
    }
    // Scored against the searched words the latest ones end with. For the last chunk past the one
    // due, those the presenter said: the words read joined to its own, without the sentence he
    // may have left out.
    AlignmentCharacters joined;
    if (skipsToLastChunk) {
        joined = readJoinedToChunk(
            searched, searchedOffset(first, heaviest, position.spokenReadableCharacterCount), chunk, heaviest);
        said = joined;
    }
    const double score = latestWordsScore(latest, said);
    const VoiceSyncMatch match { index, score, alignmentEnd };
    if (score < m_recovery->minimumScore || !isHeardEnoughOfAShortChunk(match, state.dueChunk, latest))
        return {};
    if (leavesOutASentence
        && holdsBackMove(alignmentEnd,
            std::min(weight, weightHeardSinceSentenceEnded(latest, searched, first, heaviest, position)), state,
            position)) {
        // Meanwhile the count steps toward the chunk where it can.
        Recovery heldBack = stepInstead();
        heldBack.heldBackMove = match;
        return heldBack;
    }
    return { match };
}

} // namespace lumetra
