#pragma once

#include "AlignmentCharacters.h"
#include "ForwardJumpGuard.h"
#include "HearingQualityRule.h"
#include "ParagraphRange.h"
#include "RecoverySearch.h"
#include "ScriptChunkIndex.h"
#include "ScriptParagraph.h"
#include "ShortTranscriptRule.h"
#include "SimilarityMatch.h"
#include "VoiceSyncDecision.h"
#include "VoiceSyncMatch.h"
#include "VoiceSyncPosition.h"

#include <QString>
#include <QStringView>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lumetra {

// Aligns the recogniser's running transcript with the chunks near the reading position and
// decides how the Voice Sync position moves. Holds the chunks of one parse with their readable
// texts in comparable form; the position itself stays with the caller and is passed in, so every
// call is pure.
class VoiceSyncAligner {
public:
    static const QString noMatchStatus;

    VoiceSyncAligner() = default;
    explicit VoiceSyncAligner(ScriptChunkIndex chunks);

    // Call after every parse.
    void setChunks(ScriptChunkIndex chunks);
    const ScriptChunkIndex &chunks() const { return m_chunks; }

    // Empty (no guard) gives the bare character-set alignment.
    void setForwardJumpGuard(std::optional<ForwardJumpGuard> guard) { m_guard = guard; }
    // Empty leaves transcripts under eight readable characters unmatched.
    void setShortTranscriptRule(std::optional<ShortTranscriptRule> rule) { m_shortTranscripts = rule; }
    // Empty never looks beyond the window.
    void setRecoverySearch(std::optional<RecoverySearch> search) { m_recovery = search; }
    // Empty asks of a move only what the guard and the search ask.
    void setHearingQualityRule(std::optional<HearingQualityRule> rule) { m_hearingQuality = rule; }

    // One chunk behind the anchor (the Voice Sync chunk, else the current one) to four ahead.
    ParagraphRange nearbyParagraphRange(const VoiceSyncPosition &position) const;

    // The best-matching chunk of the window for the transcript's latest words, if it scores at
    // least 0.28.
    std::optional<VoiceSyncMatch> matchParagraphIndex(QStringView transcript, const VoiceSyncPosition &position) const;

    // What an update with this transcript does at `now` (monotonic seconds): the new status, and
    // with an accepted match the new spoken count, Voice Sync chunk and a scroll there.
    VoiceSyncDecision handleVoiceSyncUpdate(
        QStringView transcript, const VoiceSyncPosition &position, double now) const;

    // How many of the chunk's readable characters count as spoken.
    static std::int64_t spokenReadableCount(
        const ScriptParagraph &paragraph, std::int64_t spokenReadableCharacterCount, bool isVoiceSyncEnabled);

    // Whether a best score is good enough to count as a match (0.28 and above).
    static bool isAcceptedScore(double score);

private:
    // The transcript's latest characters that are compared, empty when there are too few.
    static AlignmentCharacters needleOf(QStringView transcript);
    // The same for a text already in readable form.
    static AlignmentCharacters needleOfReadable(QStringView readable);
    // Each chunk's match in the window, in chunk order.
    std::vector<VoiceSyncMatch> windowMatches(std::span<const char32_t> needle, ParagraphRange window) const;
    static std::optional<VoiceSyncMatch> bestMatch(const std::vector<VoiceSyncMatch> &matches);
    // The heaviest stretch of the needle found unchanged in chunk `index`, weighed as the guard does.
    double verbatimWeight(std::span<const char32_t> needle, std::int64_t index) const;
    // The weight of the needle's best in-order alignment with chunk `index`, allowing slips.
    double inOrderWeight(std::span<const char32_t> needle, std::int64_t index) const;
    // The weight of the heaviest alignment of the latest words, held to their end, with chunk `index` alone.
    double latestAlignmentWeight(std::span<const char32_t> latest, std::int64_t index) const;
    // The heaviest of those with chunks `first` to `last`.
    double heaviestLatestAlignmentWeight(std::span<const char32_t> latest, std::int64_t first, std::int64_t last) const;
    // How much of what `match` marks read (its chunk's last `latestCharacters` up to the match's
    // end) the needle's latest characters hold in order, as a share of its weight.
    double heardShareOfMarkedRead(
        const VoiceSyncMatch &match, std::span<const char32_t> needle, std::size_t latestCharacters) const;
    // The script's readable characters, up to `characters` of them, that end at `count`.
    AlignmentCharacters scriptBefore(std::int64_t count, std::size_t characters) const;
    // How much of the heard history the script before the count holds in order, as a share of
    // its weight; 0 while too little has been heard to tell.
    double recentHearingQuality(const VoiceSyncPosition &position) const;
    // Whether `match` holds too little of what it marks read for how well the presenter has been
    // heard lately; `leavesOutASentenceWhileFound` asks of it the closer likeness a move leaving
    // out a sentence needs while the presenter is not lost.
    bool isHeardWorseThanLately(const VoiceSyncMatch &match, std::span<const char32_t> needle,
        const VoiceSyncPosition &position, bool leavesOutASentenceWhileFound = false) const;
    // How much better than chunk `earlier` the latest words must fit chunk `matched` for the
    // guard to let the count leave it: more where the presenter is partway through a sentence
    // that opens as the matched one does.
    double leadOverEarlierChunk(std::int64_t earlier, std::int64_t matched, const VoiceSyncPosition &position) const;
    bool guardAccepts(const VoiceSyncMatch &match, const std::vector<VoiceSyncMatch> &matches,
        std::span<const char32_t> needle, const VoiceSyncPosition &position, double now) const;
    struct WindowFinding {
        // The window's match if the guard lets it through, else a short transcript's match.
        std::optional<VoiceSyncMatch> accepted;
        // When the guard refuses a far match: the current chunk's, if it holds the words as well.
        std::optional<VoiceSyncMatch> currentChunkInstead;
    };
    WindowFinding windowFinding(std::span<const char32_t> needle, const VoiceSyncPosition &position, double now) const;
    std::optional<VoiceSyncMatch> currentChunkInsteadOf(const VoiceSyncMatch &refused,
        const std::vector<VoiceSyncMatch> &matches, std::span<const char32_t> needle, const VoiceSyncPosition &position,
        double now) const;
    // The match moved only as far as the latest words run in order in its chunk, and for all but
    // a weak match a few characters heard after them (the comparison window runs on past them).
    std::optional<VoiceSyncMatch> heardInOrderAsFarAs(VoiceSyncMatch match, std::span<const char32_t> needle) const;
    // The match moved to its chunk's end when it ends one short of it and one more character was heard.
    VoiceSyncMatch throughMisheardLastCharacter(VoiceSyncMatch match, std::span<const char32_t> needle) const;
    // The count itself so moved, when nothing else moves it.
    std::optional<VoiceSyncMatch> countThroughMisheardLastCharacter(
        std::span<const char32_t> needle, const VoiceSyncPosition &position) const;
    // A short chunk from the current one on, in the window or a little beyond it, whose words are
    // the latest heard, whole and unchanged. 一定重要嗎, said after the sentence before it was left
    // out and heard in one run with the sentence read before that, is too small a part of the
    // latest words for the window or the search.
    std::optional<VoiceSyncMatch> shortChunkHeardWhole(
        std::span<const char32_t> needle, const VoiceSyncPosition &position) const;
    std::optional<VoiceSyncMatch> shortTranscriptMatch(
        std::span<const char32_t> needle, const VoiceSyncPosition &position, double now) const;
    // The score a short transcript compared whole with chunk `index` needs.
    double shortTranscriptMinimumScore(std::int64_t index, const VoiceSyncPosition &position) const;
    // Whether chunk `index` is the script's last and at most the one after chunk `shown`. A move
    // there puts the prompter at most a sentence ahead of the presenter and can carry it no
    // further, while a presenter who ends his talk on it says nothing after it to be found by: a
    // last sentence heard garbled, or read after the one before it was left out, left the
    // prompter short of the end for good. So it is asked what a short chunk due is asked.
    bool isLastChunkNext(std::int64_t index, std::int64_t shown) const;
    // The chunks from `first` to before `end` as one text.
    struct SearchedText {
        AlignmentCharacters characters;
        std::vector<std::size_t> chunkStarts;

        // The chunk (counted from the first searched) whose characters end before `end`.
        std::size_t chunkEndingAt(std::size_t end) const
        {
            return static_cast<std::size_t>(
                std::upper_bound(chunkStarts.begin(), chunkStarts.end(), end - 1) - chunkStarts.begin() - 1);
        }
    };
    SearchedText searchedText(std::int64_t first, std::int64_t end) const;
    // What the search finds for the latest words (with the end of earlier recognition runs).
    struct Recovery {
        // A chunk ahead that they clearly run through.
        std::optional<VoiceSyncMatch> match;
        // They clearly run through words already read: the presenter is re-reading, not lost.
        bool isRereading = false;
        // Too little to move there, or too like an aside, but enough to step the count to the chunk
        // before it.
        std::optional<VoiceSyncMatch> step {};
        // A move held back until more words run on past it.
        std::optional<VoiceSyncMatch> heldBackMove {};
    };
    // Whether the words heard lately align with the script as a presenter heard well reads it.
    bool isHeardWell(const VoiceSyncPosition &position) const;
    // Where the spoken `count` falls in the searched text (which starts with chunk `first`), kept
    // within its first `end` characters.
    std::size_t searchedOffset(std::int64_t first, std::size_t end, std::int64_t count) const;
    // The weight of the latest words' alignment ending at `end` of the searched text (which
    // starts with chunk `first`), counting only the characters from the spoken count `from` and
    // begun where a reader begins.
    double readerAlignmentWeight(std::span<const char32_t> latest, const SearchedText &searched, std::int64_t first,
        std::size_t end, std::int64_t from) const;
    // What a move to chunk `index` within the window that leaves out a sentence weighs while the
    // presenter is heard badly, given the weight of its `whole` alignment.
    double heardBadlyLeavingOutWeight(std::span<const char32_t> latest, const SearchedText &searched,
        std::int64_t first, std::size_t end, const VoiceSyncPosition &position, std::int64_t index, double whole) const;
    // The weight of the latest words' alignment with the words read up to the spoken `count`
    // joined straight to chunk `index`, up to `end` of the searched text: the sentences between
    // taken out.
    double readJoinedToChunkWeight(std::span<const char32_t> latest, const SearchedText &searched, std::int64_t first,
        std::size_t end, std::int64_t count, std::int64_t index) const;
    // The searched text's first `read` characters joined straight to the searched chunk `chunk`
    // (counted from the first searched), up to `end`.
    static AlignmentCharacters readJoinedToChunk(
        const SearchedText &searched, std::size_t read, std::size_t chunk, std::size_t end);
    // `position` has the update heard and counted, not yet applied.
    Recovery recover(const VoiceSyncPosition &position, double now) const;
    // The latest words scored against the searched words they end with (`said`).
    static double latestWordsScore(std::span<const char32_t> latest, std::span<const char32_t> said);
    // Whether a search match in a short chunk that leaves out a sentence heard enough of it.
    bool isHeardEnoughOfAShortChunk(
        const VoiceSyncMatch &match, std::int64_t dueChunk, std::span<const char32_t> latest) const;
    // Whether the presenter is partway through the current chunk, or has said it: a short chunk
    // some of whose words were heard since the count last moved, with more words after them.
    bool isCurrentChunkSaid(const VoiceSyncPosition &position) const;
    // The chunk the presenter reads next if he leaves nothing out: a move past it leaves out
    // that many sentences.
    std::int64_t dueChunk(const VoiceSyncPosition &position) const;
    // The position as it was before a step toward the presenter: every rule weighs a move from
    // where he was last found.
    VoiceSyncPosition beforeStep(VoiceSyncPosition position) const;
    // Whether the count has stood for at least this many characters heard and seconds.
    static bool hasStoodFor(const VoiceSyncPosition &position, std::int64_t characters, double seconds, double now);
    // Whether it has stood as long as the search waits before it asks little of a move.
    bool isVeryLongLost(const VoiceSyncPosition &position, double now) const;
    // What every chunk the search weighs is judged against, worked out once per search.
    struct SearchState {
        std::int64_t anchor = 0;
        std::int64_t firstSearched = 0;
        std::int64_t dueChunk = 0;
        bool isLongLost = false;
        bool isVeryLongLost = false;
    };
    SearchState searchState(const VoiceSyncPosition &position, double now) const;
    // Whether the heaviest alignment of the latest words, ending at `heaviest` of the searched text
    // in chunk `index`, leads any other clearly enough (by `lead`) to be where they run.
    bool isUnrivalledAlignment(std::span<const char32_t> latest, const SearchedText &searched, std::size_t heaviest,
        double lead, std::int64_t index, const SearchState &state, const VoiceSyncPosition &position) const;
    // Whether a move to `alignmentEnd` that leaves out a sentence on `weight` waits for more words:
    // it is not long lost, is heard well enough to tell, and the latest words do not yet run on
    // past the move held back since the count last moved (within the chunk after its own at most).
    bool holdsBackMove(
        std::int64_t alignmentEnd, double weight, const SearchState &state, const VoiceSyncPosition &position) const;
    // The weight of the latest words' alignment ending at `end` of the searched text, as a
    // reader's from the spoken count, counting only those heard since it last passed the end of
    // a sentence.
    double weightHeardSinceSentenceEnded(std::span<const char32_t> latest, const SearchedText &searched,
        std::int64_t first, std::size_t end, const VoiceSyncPosition &position) const;
    // Whether the move held back is taken after all: nothing has found the presenter since for as
    // long as the search waits before it asks little of a move.
    bool isHeldBackMoveDue(const VoiceSyncPosition &position, double now) const;
    // Whether chunk `index` by itself holds the very latest words (held to their end) better than
    // any chunk already reached, from the first searched to the current one.
    bool holdsLatestWordsBetterThanReachedChunks(std::span<const char32_t> latest, std::int64_t index,
        const SearchState &state, const VoiceSyncPosition &position) const;
    // Whether the latest words, their alignment ending at `end` of the searched text, hold chunk
    // `index` (the short chunk after the one shown, or the chunk after that) as a presenter
    // reading it does, for a step toward it.
    bool isStepHeardAsRead(std::span<const char32_t> latest, const SearchedText &searched, std::size_t end,
        std::int64_t index, bool isShortChunkNext, const SearchState &state, const VoiceSyncPosition &position) const;
    // A step to the start of the chunk after the one shown, toward chunk `index` (that chunk or the
    // one after it), which the latest words run through (their alignment ending at `end` of the
    // searched text) with `weight` and `lead`, too little to move there: where a presenter who
    // left out one or two sentences reads, the prompter shows his chunk or the one next to it,
    // and at worst one ahead of a presenter who made an aside.
    Recovery stepToward(std::int64_t index, double weight, double lead, std::span<const char32_t> latest,
        const SearchedText &searched, std::size_t end, const SearchState &state,
        const VoiceSyncPosition &position) const;
    // Whether chunk `index` is among those followed chunk by chunk, and whether it lies past
    // every chunk the search weighs.
    bool isInWindow(std::int64_t index, const SearchState &state) const;
    bool isBeyondSearch(std::int64_t index, const SearchState &state) const;
    // The in-order weight the search needs to move to chunk `index`, the presenter's reading
    // having begun in chunk `firstRead`, and what it needs of a chunk that is not the short one
    // due next.
    double minimumAlignmentWeight(std::int64_t index, std::int64_t firstRead, const SearchState &state) const;
    double usualMinimumAlignmentWeight(std::int64_t index, std::int64_t firstRead, const SearchState &state) const;
    // The first chunk of those the latest words run through into chunk `index` (the alignment
    // ending at `end` of the searched text) that the presenter read rather than left out.
    std::int64_t firstChunkRead(std::span<const char32_t> latest, const SearchedText &searched, std::int64_t first,
        std::size_t end, std::int64_t index, const SearchState &state) const;
    // Whether chunk `index` has at most the search's longestShortChunk readable characters, and
    // whether it needs only the evidence of such a chunk due next: it is one, or the last chunk next.
    bool isShortChunk(std::int64_t index) const;
    bool needsDueShortChunkEvidence(std::int64_t index, const SearchState &state) const;
    // Whether an in-order `weight`, `lead` over any other place, is enough to move to chunk `index`.
    bool isHeavyEnough(
        std::int64_t index, std::int64_t firstRead, double weight, double lead, const SearchState &state) const;
    // Chunk `index`'s match for the needle, and for a similarity found in it.
    VoiceSyncMatch matchIn(std::span<const char32_t> needle, std::int64_t index) const;
    VoiceSyncMatch matchAt(std::int64_t index, const SimilarityMatch &similarity) const;
    double ideographWeight() const;

    ScriptChunkIndex m_chunks;
    std::vector<AlignmentCharacters> m_readableCharacters; // per chunk
    std::optional<ForwardJumpGuard> m_guard = ForwardJumpGuard {};
    std::optional<ShortTranscriptRule> m_shortTranscripts = ShortTranscriptRule {};
    std::optional<RecoverySearch> m_recovery = RecoverySearch {};
    std::optional<HearingQualityRule> m_hearingQuality = HearingQualityRule {};
};

} // namespace lumetra
