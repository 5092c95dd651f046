#pragma once

#include "VoiceSyncMatch.h"

#include <cstddef>
#include <cstdint>

namespace lumetra {

// How well the latest words fit the matched chunk and the chunks the presenter is most likely
// reading (the current one and the next).
struct MatchEvidence {
    // The heaviest stretch of the latest words found unchanged, in order, in the matched chunk.
    double verbatimWeight = 0;
    // The best score among the current chunk and the next one, and the heaviest stretch among
    // those and the rereadChunksBehind chunks before them.
    double nearScore = 0;
    double nearVerbatimWeight = 0;
    // Whether the latest words align in order at least as well with a chunk before the matched
    // one (back to rereadChunksBehind chunks behind the current one), or nearly as well with the
    // current one where it opens as the matched one does (see patternLead).
    bool latestWordsFitEarlierChunk = false;
    // Whether the match passes over a chunk of which nothing was heard: a sentence left out.
    bool leavesOutASentence = false;
    // How much of what the match marks read (the chunk's latest characters up to the match's
    // end) the latest words align with in order, as a share of its weight.
    double heardShareOfMarkedRead = 0;
};

// Common characters and parallel sentence openings let an unscripted or repeated sentence
// resemble a chunk further on well enough to be matched, and since the spoken position never
// moves back, one such match would leave the prompter ahead of the presenter for good. The guard
// accepts a far or fast move only when the evidence for it is clearly stronger.
struct ForwardJumpGuard {
    // A match more than one chunk beyond the current one needs this score … (0.8 rather than
    // 0.67: the voice-follow benchmark showed transcripts straddling two chunks reaching 0.75 on a
    // chunk far ahead by chance)
    double farChunkMinimumScore = 0.8;
    // … and must beat the near chunks clearly: by this much in score, or by a further
    // minimumVerbatimWeight in its in-order stretch.
    double farChunkMinimumLead = 0.2;
    // A move of the spoken count by more than this many characters, plus the allowance per
    // second since the count last moved, needs fastAdvanceMinimumScore.
    double steadyAdvanceCharacters = 12;
    double steadyAdvanceCharactersPerSecond = 4;
    // … counting at most this many seconds: after a long pause or an aside a weak match could
    // otherwise carry the count a whole chunk ahead (moves that far are left to clear matches,
    // and to the recovery search).
    double steadyAdvanceSecondsAtMost = 2.5;
    // The same holds for a move that leaves out a sentence, however short: the last words of an
    // aside (…的時間表) can be found in a short chunk one sentence on (真的觀察時間表) and mark it
    // read.
    double fastAdvanceMinimumScore = 0.6;
    // … and the latest words must align in order better with the matched chunk than with any
    // chunk before it: the end of one chunk and the start of the next, heard together, can hold
    // every character of a window further on, and its opening clause too.
    std::size_t fastAdvanceLatestCharacters = 8;
    // A presenter partway through a sentence that opens as the matched one does (什麼叫做調整完了,
    // then 什麼叫做拆開完了) is not taken on to it by one word: heard wrong, the word that differs
    // can sound like the other sentence's (开 for 調整), and the latest words then fit the later
    // sentence a little better. While at least patternUnreadCharacters of his chunk are unread,
    // they must fit the matched chunk better by more than patternLead (an ideograph and a half).
    // Openings alike weigh at least patternOpeningWeight (two ideographs).
    double patternLead = 6;
    double patternOpeningWeight = 8;
    std::int64_t patternUnreadCharacters = 3;
    // … and at least this share of what it marks read (up to fastAdvanceMarkedReadCharacters of
    // it) heard in order: a presenter who left out a sentence reads the next one from its start,
    // while an aside ending in a chunk's last words (同樣地大家排序關鍵的腳本, ending as
    // 你已經處理報告準備關鍵的腳本 does) holds only those, and an aside in the talk's stock words
    // (…很多公司安排待辦清單) carried the count over the whole opening of the next chunk
    // (其實通常說明資料夾和待辦清單) on its last four characters.
    double fastAdvanceMinimumHeardShare = 0.5;
    std::size_t fastAdvanceMarkedReadCharacters = 16;
    // Either kind of move also needs the latest words in the matched chunk in the order heard: a
    // stretch of them found there unchanged weighing this much, an ideograph weighing
    // ideographWeight and any other character 1 (three ideographs, or twelve letters). The score
    // alone says little in an alphabet: a transcript of any sentence holds most of the letters
    // of any chunk.
    double minimumVerbatimWeight = 12;
    double ideographWeight = 4;
    // A re-read sentence can carry the position into a window that no longer holds it, where a
    // chunk ahead shares its clause; the chunks just behind compete in the in-order stretch.
    std::int64_t rereadChunksBehind = 3;
    // A match scoring under weakMatchScore moves the count only to where its chunk holds the
    // latest weakMatchLatestCharacters in order, not to the end of the comparison window: that
    // runs four characters further, and in a short chunk to its end, so three words of an aside
    // found in the next chunk would otherwise mark all of it read.
    double weakMatchScore = 0.5;
    std::size_t weakMatchLatestCharacters = 16;
    // A match scoring under middlingMatchScore moves it as far, and on by as many characters as
    // were heard after those, up to middlingMatchMisheardCharacters: the latest are the likeliest
    // misheard, and the count would stand short of the end of a chunk read whole. An aside
    // followed by the opening of a short chunk (…整理答案第二次比, for 第二次比較便宜) scores a half
    // there, and the window marked the whole chunk read.
    double middlingMatchScore = 0.6;
    std::size_t middlingMatchMisheardCharacters = 2;
    // A weak match moving the count by more than steadyAdvanceCharacters needs at least this
    // share of what it marks read heard in order, however long the count has stood: after a
    // pause, two words (的…好) of a presenter re-reading the sentence before, heard garbled, made
    // a weak match that marked the whole next sentence read, twenty-two characters, within the
    // steady allowance.
    double weakMatchMinimumHeardShare = 0.2;

    bool accepts(const VoiceSyncMatch &match, const MatchEvidence &evidence, std::int64_t currentParagraphIndex,
        std::int64_t spokenReadableCharacterCount, double secondsSinceAdvance) const;
    // Whether a match under weakMatchScore moves the count more than steadyAdvanceCharacters.
    bool isWeakLongMove(const VoiceSyncMatch &match, std::int64_t spokenReadableCharacterCount) const;
    // Whether accepting the match weighs how much of what it marks read was heard.
    bool asksHeardShare(const VoiceSyncMatch &match, bool leavesOutASentence, std::int64_t spokenReadableCharacterCount,
        double secondsSinceAdvance) const;
    // Whether the move leaves out a sentence or runs faster than a steady advance: such a move
    // needs a good score and half of what it marks read heard.
    bool isHurried(const VoiceSyncMatch &match, bool leavesOutASentence, std::int64_t spokenReadableCharacterCount,
        double secondsSinceAdvance) const;

    bool operator==(const ForwardJumpGuard &) const = default;
};

} // namespace lumetra
