#pragma once

#include <cstddef>
#include <cstdint>

namespace lumetra {

// Moves the position on the evidence of word order rather than of the character-set score.
// The score alone keeps a presenter who is two or more chunks ahead from being followed when
// many characters are misheard (his chunk scores 0.5 to 0.75, under what a far move needs), and
// once he is beyond the window the window never finds him again. So the latest words are aligned
// in order with the chunks around the position, and a chunk ahead of the spoken position is
// taken when the alignment with it is long enough that chance does not produce it and clearly
// longer than with any other chunk searched, including those just behind: a re-read sentence
// aligns best behind the position and an ad-lib aligns nowhere for long, so neither moves it.
// Chunks beyond the window need more evidence than those in it.
struct RecoverySearch {
    std::int64_t chunksBehind = 3; // searched so that a re-read chunk competes
    std::int64_t chunksAhead = 4; // as far as the window
    // Searched from the first update on, not only once the count has stood for a while: after a
    // passage left out, the next sentence's stock opening (這就是 of 這就是權限) can move the count
    // a few characters into the chunk left out (這就是截圖), and the search would then keep to the
    // window while the presenter reads on seven chunks ahead.
    std::int64_t chunksSearchedAhead = 12;
    // Only the latest words are aligned, so the chunk just left does not outweigh the new one.
    std::size_t latestCharacters = 16;
    // A few words heard alone are enough when they run in order through one chunk only: the
    // opening words of a sentence after a skipped passage.
    std::size_t shortestNeedle = 5;
    // Weighed as ForwardJumpGuard weighs stretches, an ideograph 4: six ideographs in order net
    // of slips, and a lead of two and a half over any other chunk. A presenter makes an aside
    // several times as often as he leaves out a passage, and an aside in the talk's own words
    // (另外小團隊把便宜的錄音統計好) can run in order through the opening of a chunk four sentences
    // on about as far as that chunk read with errors does; HearingQualityRule stops most such
    // asides, and five and a half ideographs let them through again.
    double minimumAlignmentWeight = 24;
    double minimumLead = 10;
    // Ends of alignments closer than this to the heaviest one's are the same alignment: held to
    // the latest words, ending a character early costs that character twice.
    std::size_t sameAlignmentShift = 6;
    // The next chunks need less: a presenter who left out a sentence or two is most likely there.
    // Counted in sentences left out, so that a chunk he was halfway through is not one of them.
    std::int64_t nearSentencesLeftOut = 2;
    // Nor is a short chunk just before the moved-to one when the latest words run in order from
    // its start into the moved-to chunk, holding at least this much of it (an ideograph): read
    // after a passage left out, it holds too few words to be found in, and its garbled words
    // (业务法只了 for 業務更新了) and the next chunk's opening (决录音和, for 解決錄音和表單) are
    // what finds the presenter. Taken for a sentence left out, the move waited for weight the
    // next chunk's opening words rarely reach before the presenter moves on. An aside opening a
    // later chunk holds nothing of the short one before it. The short chunk due, so read into
    // the next (你收於所 then 什, for 你收集了 and 什麼叫做檢查完了), leaves nothing out: the move
    // is one sentence on at most, and the checks against an aside carrying the prompter past a
    // sentence left out kept it a sentence behind for four more characters.
    double minimumShortChunkReadWeight = 4;
    double minimumNearAlignmentWeight = 18;
    double minimumScore = 0.4;
    // Beyond the window, eight ideographs net: an aside made of the talk's stock phrases (我自己,
    // 把重要的) can run in order through some chunk ten sentences on, and a move that far is never
    // taken back.
    double minimumAlignmentWeightBeyondWindow = 32;
    // … or seven ideographs net when the latest words align with nothing else searched (a lead of
    // six ideographs): the presenter's own sentence after a passage left out, heard with errors,
    // aligns in one place, while an aside in stock phrases (說真的新同事…, for 說真的新同事簡化了…
    // seven chunks on) also runs through the other chunks that use them.
    double minimumLoneAlignmentWeightBeyondWindow = 28;
    double minimumLoneLeadBeyondWindow = 24;
    // After this many characters heard and seconds without the count moving (some four seconds
    // of speech, and five in all), the presenter has moved on: the window's chunks need only the
    // weight of the next ones, and those beyond it five and a half ideographs net. Characters
    // count speech whether partial results come often or seldom, seconds count pauses too; both
    // must agree. Twenty characters kept a presenter who had left out two sentences, and was
    // heard with most of his words wrong, lost until the sentence after the one he was reading.
    std::int64_t charactersWhenLongLost = 17;
    double secondsWhenLongLost = 5;
    double minimumAlignmentWeightBeyondWindowWhenLongLost = 22;
    // Long lost, the search also reaches this far ahead, where a chunk needs ten ideographs net:
    // a presenter who left out two passages in quick succession is found past chunksSearchedAhead
    // by nothing else, and the position would never move again.
    std::int64_t chunksSearchedAheadWhenLongLost = 60;
    double minimumAlignmentWeightBeyondSearch = 40;
    // Long lost, more of the latest words are aligned. A presenter who reads on where the count
    // cannot follow says them in the script's order; what kept the count standing may instead be
    // a long aside (這時候團隊還常把零散的外掛簡化好這個流程慢慢收集照片和腳本, after 一定寄出這個時間表…),
    // whose end runs in order through a chunk's stock phrases (慢慢…照片和腳本, of
    // 老闆慢慢歸檔照片和腳本 four chunks on). Weighed with four words more of it, the move is refused.
    std::size_t latestCharactersWhenLongLost = 20;
    // After longer still without the count moving (more than an aside and the sentence after it),
    // a chunk within chunksSearchedAhead needs three and a half ideographs net: the first chunks
    // read after a passage left out, each heard with half its characters wrong, otherwise keep
    // the presenter lost for ten seconds and more. Four once let an aside said twice around a
    // short chunk heard wrong (這套系統一定把發票整理好) run six chunks on (這套系統把行事曆整理好);
    // HearingQualityRule now asks such a move to hold more of the words it marks read, and the
    // voice-follow benchmark shows no lead from the lower weight.
    std::int64_t charactersWhenVeryLongLost = 25;
    double secondsWhenVeryLongLost = 7;
    double minimumAlignmentWeightWhenVeryLongLost = 14;
    // Latest words that run this clearly through words already read (six ideographs net, and the
    // lead over any other place) are a re-read sentence: the presenter is found, and the count of
    // characters heard without finding him starts again. A re-read followed by an aside otherwise
    // adds up to twenty characters, and the aside (另外小團隊把便宜的錄音統計好) ran through a chunk
    // beyond the window (小團隊比較把公開的紀錄統計好) as far as the long-lost search then asks.
    double minimumRereadWeight = 24;
    // A short chunk holds few words, so the end of an aside bridging into it from the sentence
    // just read (…處理意見 into 這就是意見, one sentence on) weighs what the next chunks need. A move
    // into a chunk of at most longestShortChunk readable characters that leaves out a sentence
    // also needs this share of what it marks read heard in order, net of slips, as the guard asks
    // of the window: more than such an aside holds (two characters of five), less than a short
    // chunk read with three characters in a row misheard (第進為的較便宜 for 第二次比較便宜) holds.
    std::size_t longestShortChunk = 7;
    double shortChunkMinimumHeardShare = 0.42;
    // The chunk due next, when that short, needs only this share of its own weight in order net
    // of slips (and two ideographs at the least), with this lead over any other place. Said as a
    // recognition run of its own with two of five characters misheard (有就是錄對 for 這就是錄音),
    // it holds less than any near chunk needs, and once the presenter reads on it counts as left
    // out, so the next chunk needs more too. An aside opening with its words moves the prompter
    // at worst one sentence ahead. The script's last chunk, next after the one shown, needs no
    // more, however long.
    double dueShortChunkShare = 0.4;
    double minimumDueShortChunkWeight = 8;
    double minimumDueShortChunkLead = 6;
    // … that lead, failing it on the latest words, on the words heard since the count last passed
    // the end of a sentence when there are at least this many: two ideographs and a slip.
    std::size_t fewestWordsHeardSinceSentenceEnded = 3;
    // A move that leaves out the chunk the presenter is due to read must outweigh any alignment
    // with that chunk by this much more (three ideographs and a bit): the script's repeated
    // sentence patterns (什麼叫做統計完了, 什麼叫做記錄完了 two sentences on) open alike, and the end
    // of an aside (…行事曆) running into the later one through the chunk before it gave it the
    // lead over the presenter's own.
    double minimumLeadOverCurrentChunk = 13;
    // … and the chunk moved to, by itself, must hold the very latest words (held to their end)
    // better than any chunk already reached, from the first searched to the presenter's. A re-read
    // sentence runs on, through the sentence read before it or the opening of the next, into a
    // later chunk that shares a few of its words: 第一次比較簡單, re-read after
    // 什麼叫做回頭看看完了, ran past the presenter's chunk into 第二次比較簡單; 第二次比較少見
    // re-read before 這套系統重新想過… ran through 第三次比較少見 into 這套系統選擇了. Held to the
    // six latest characters, the sentence just finished weighs nothing once a presenter who left
    // out the next one has said four characters of the one he reads.
    std::size_t reachedChunkLatestCharacters = 6;
    double minimumOwnLeadOverReachedChunks = 1;
    // Words that run on from what was already read are explained by where the count stands, not
    // by a sentence left out: while the recogniser hears the presenter this well
    // (HearingQualityRule's share), such a move is weighed on the words after the count alone.
    // An aside opening after the sentence just read and going on in stock words (…解決圖表 then
    // 這個流程也說明…, over 這就是庫存 to 這個流程歸檔了) bridged the two as far as the next chunks
    // need. Heard badly, the few words a presenter has said of the chunk he reads weigh too little
    // alone, and he was found a sentence later. Heard this well, a step toward the chunk two after
    // the one due also asks the words to run from a sentence's start, as a step toward a short
    // chunk always does.
    double hearingQualityForUnreadWordsOnly = 0.7;
    // Heard badly, the words already read count toward such a move within the window only when
    // the sentences it leaves out hold more than this of the latest words (the words from the
    // current chunk's start outweigh the moved-to chunk's own): a short chunk said garbled then
    // leads into the next one. Where nothing of them was heard, an aside after the sentence just
    // read (如果慢慢重新想過, after …檢查作業和程式, with 大家交給了 due) ran through its words into
    // the chunk after the due one (業務重新想過清單), and the presenter read toward a prompter
    // two sentences ahead.
    double minimumLeftOutWordsWeight = 0;
    // … unless the words already read, joined straight to the moved-to chunk, hold the latest
    // words this much better (three ideographs) than the alignment through the sentences left
    // out: those words are then a sentence pattern the script repeats. Words of the sentence just
    // read (什么叫做分试完了, of 什麼叫做測試完了) ran on through a later sentence of the pattern
    // (什麼叫做上傳完了), with an aside's 昂贵的, into the chunk after it (合併昂貴的問題): four
    // sentences ahead of the presenter.
    double minimumLeadOfWordsReadOverLeftOutWords = 12;
    // … and on an alignment that begins where a reader begins: where the count stands or a
    // sentence starts, or with the latest words' first, give or take this many characters (the
    // first heard are the likeliest misheard). An aside running into a sentence halfway through
    // (避開廣告和產品設計老闆就把關鍵的, over 統計臨時的產品設計 into 都把關鍵的工具…, four on)
    // holds the next chunks' weight only from the middle of one. Beyond the window a move is
    // weighed so however well the presenter is heard: the close of the sentence just read
    // (…重新想過好) and an aside's first word ran through a chunk ending alike into the one after
    // it, eight on (一定把意見和資料夾重新想過好, 小團隊調整問題). Within it, heard badly, the few
    // words heard right of a short chunk said garbled lead into the next one and are kept.
    std::size_t sentenceStartSlack = 2;
    // Words too few to move to the chunk two after the one due, or to a short one just after it,
    // but running in order through it (two and a half ideographs net, a lead of one and a half
    // over any other place), step the count to the start of the chunk after the one due. A
    // presenter who left out two sentences is found on four and a half ideographs, a second and
    // more of speech while the prompter shows a chunk two behind him, and a short sentence read
    // after the one due was left out (會議紀錄呢, heard as 會議學錄現呢) was over before he was
    // found; stepped, the prompter shows his chunk or the one next to it. An aside holding those
    // words leaves it one ahead of the presenter, who reads on through the chunk the step passed,
    // and every move after the step is weighed from where the count stood before it, so the aside
    // carries it no further. Two ideographs were as often an aside's as the presenter's.
    double minimumStepWeight = 10;
    double minimumStepLead = 6;
    // A move that leaves out a sentence on less than minimumAlignmentWeight, while the presenter
    // is heard at least this well (HearingQualityRule's share) and is not long lost, waits until
    // the next words run on past where it would put the count. An aside opening with a later
    // sentence's words (這個流程已經學會, two sentences before 這個流程真的學會…) holds them as well
    // as the presenter reading that sentence does, but its next words run elsewhere (後音和系統),
    // and the presenter then read the sentences it passed for ten seconds toward a prompter two
    // ahead. His own next words mostly run on; heard worse than this, too few of them do, and
    // waiting kept him lost. Heard a little better, they may still align nowhere (再這還大心後,
    // for 再把資料夾統計好): the move is taken once nothing else has found him for as long as
    // charactersWhenVeryLongLost and secondsWhenVeryLongLost say. The weight that lets such a
    // move through counts only the words heard since the count last passed the end of a
    // sentence: the sentence just read can run on through words that a sentence left out shares
    // with it, into the aside.
    double minimumHearingQualityToHoldBackMoves = 0.5;

    bool operator==(const RecoverySearch &) const = default;
};

} // namespace lumetra
