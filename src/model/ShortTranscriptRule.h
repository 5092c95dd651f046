#pragma once

#include <cstddef>

namespace lumetra {

// A sentence of fewer than eight readable characters said as a recognition run of its own gives
// a transcript too short for the window's comparison, so the position would stay a chunk behind
// the presenter. Such a transcript is compared whole with the previous, current and next chunk
// and taken only when nearly all of it is found there (half of it for a short chunk due), partly
// in the order heard.
struct ShortTranscriptRule {
    std::size_t shortestLength = 5;
    std::size_t longestLength = 7;
    double minimumScore = 0.8;
    // … or this, when the chunk is no longer than a short transcript and leaves nothing out (the
    // one due, or one already begun) or is the script's last, next after the one shown: said as
    // a run of its own with two of its five to seven characters misheard, such a chunk scores 0.5
    // to 0.7, and the prompter stood a sentence behind. A longer chunk, or one a sentence on that
    // is not the last, still needs the high score: a few words of an aside opening like the next
    // sentence (我們討論範本, for 我們討論了 after a longer one) and a few stock words of a long
    // chunk (第二步是替每, in 所以第一步是先把每天…) score as much.
    double minimumDueShortChunkScore = 0.5;
    // Two ideographs in order, weighed as ForwardJumpGuard weighs stretches.
    double minimumVerbatimWeight = 8;
    // A chunk of at most longestLength readable characters whose words end a longer transcript
    // whole and unchanged is taken too when they weigh this much (four ideographs): a few letters
    // of an aside in English end like many a short chunk.
    double minimumWholeChunkWeight = 16;
    // Beyond the window (as far as the search looks), six ideographs: a presenter who left out a
    // passage and reads a short sentence whose opening other sentences share (第二次比較混亂, with
    // 第二次比較共用 elsewhere) is otherwise found only a sentence later, since the search asks a
    // lead that the two words of its own do not give. An aside in the talk's stock words ends
    // like a sentence of four or five characters, seldom like one of six. The script's last chunk
    // is asked minimumWholeChunkWeight wherever it is.
    double minimumWholeChunkWeightBeyondWindow = 24;
    // The current chunk, if this short and not yet entered by the count, counts as said once some
    // of its words (an ideograph, or four letters, in order) were heard since the count last moved
    // and this many characters after them: reading the next chunk then leaves nothing out. A
    // recogniser with many errors can miss a short chunk whole (再混亂嗎 heard as 用混從定), and
    // the next chunk would need what a move past a sentence left out needs.
    std::size_t charactersHeardAfterAShortChunk = 5;

    bool appliesTo(std::size_t needleLength) const
    {
        return needleLength >= shortestLength && needleLength <= longestLength;
    }

    bool operator==(const ShortTranscriptRule &) const = default;
};

} // namespace lumetra
