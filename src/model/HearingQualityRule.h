#pragma once

#include <cstddef>

namespace lumetra {

// How well the recogniser has been hearing the presenter lately sets how much of a chunk a move
// must have heard. Read word for word, the words before the count last moved align in order with
// the script before it almost whole; so does a sentence read on from there, while an aside made
// of the talk's stock phrases (新同事排序便宜的網站) holds only a few of the chunk's words it would
// mark read (老闆排序共用的網站). With many characters misheard the history aligns loosely and the
// rule asks for little, so a presenter read badly is still followed.
struct HearingQualityRule {
    // The heard characters weighed, ending this many before those heard since the count last
    // moved: the count can stand a few characters short of or past the last words it was moved
    // on.
    std::size_t historyCharacters = 24;
    std::size_t boundaryCharacters = 4;
    // A move must hold in order, of what it marks read (up to markedReadCharacters of it), at
    // least the share the history holds of the script, less this margin.
    std::size_t markedReadCharacters = 16;
    double margin = 0.4;
    // A move of the search that leaves no sentence out is asked the rule only when it marks read
    // more than this. Asked of every such move, the rule left presenters behind for longer after a
    // passage left out than the asides it stopped. But an aside ending in the due chunk's closing
    // words (主管其實把新的專案進度 for 新同事通常把平台規劃好，主管避開公開的專案進度) carried the
    // count through a sentence unheard, and an aside's first words heard alone (新同事, for
    // 就討論這個密碼，新同事…) moved it ten characters into the chunk due, from where the rest
    // (排序便宜的網站) ran through the next one (老闆排序共用的網站).
    std::size_t uncheckedMarkedReadCharacters = 8;
    // Beyond the window less slack: an aside bridging into the next sentence's opening
    // (…的工作流程 then 很多公司) ran in order through a chunk twelve sentences on, and the
    // presenter, then reading behind the position, is taken for lost and carried further ahead.
    double marginBeyondWindow = 0.25;
    // A move of the search that leaves out a sentence, made while the presenter is not lost, also
    // less: an aside in the talk's stock words (但是回頭看看訂單這個) ran in order through the
    // opening of a chunk two sentences on (但是大家回頭看看這個問題) as far as the next chunks need,
    // with words of its own between. Once he is lost, the few words heard right of his own
    // sentence are what finds him, and the usual margin holds: without that exception, seven
    // settings of the long script at 40 % errors had a talk stuck where none had one.
    double marginLeavingOutASentence = 0.3;

    bool operator==(const HearingQualityRule &) const = default;
};

} // namespace lumetra
