#include "AlignerWithSearch.h"
#include "EnglishLaunchScript.h"
#include "HeardTranscripts.h"
#include "ScriptParser.h"
#include "VerbatimStretch.h"
#include "VoiceSyncAligner.h"
#include "WorkflowTalk.h"

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::hear;
using lumetra::testing::speak;
using lumetra::testing::withSearch;
using lumetra::testing::Spoken;

namespace {

const QStringList &sentences = lumetra::testing::workflowTalk();

// The sentence as a recogniser with many errors hears it: every third character replaced by
// one the talk does not use.
QString misheard(const QString &sentence)
{
    static const QString wrongCharacters = QStringLiteral("甲乙丙丁戊己庚辛壬癸");
    QString heard = ScriptParser::normalizedReadableText(sentence);
    for (qsizetype at = 2; at < heard.size(); at += 3)
        heard[at] = wrongCharacters.at((at / 3) % wrongCharacters.size());
    return heard;
}

// The furthest chunk the position reaches while the presenter says `saying`, after the
// sentences heard, each a recognition run of its own, left the count at the start of chunk
// `chunksRead`.
std::int64_t furthestChunkSaying(
    const VoiceSyncAligner &aligner, const QStringList &heard, std::int64_t chunksRead, const QString &saying)
{
    double now = 1;
    Spoken spoken { VoiceSyncPosition { 0, 0, 0, now }, 0 };
    for (const QString &sentence : heard)
        spoken = speak(aligner, spoken.position, sentence, now);
    EXPECT_EQ(spoken.position.spokenReadableCharacterCount, aligner.chunks().paragraph(chunksRead).globalReadableStart);
    return speak(aligner, spoken.position, saying, now).furthestChunk;
}

// The furthest chunk the position reaches when, after `heard` left the count at the start of
// chunk `chunksRead`, the presenter says `sameRun` in the same recognition run, then `nextRun`
// in a run of its own.
std::int64_t furthestChunkAfterTwoRuns(const VoiceSyncAligner &aligner, const QString &heard, std::int64_t chunksRead,
    const QString &sameRun, const QString &nextRun)
{
    double now = 1;
    Spoken spoken = speak(aligner, VoiceSyncPosition { 0, 0, 0, now }, heard, now);
    EXPECT_EQ(spoken.position.spokenReadableCharacterCount, aligner.chunks().paragraph(chunksRead).globalReadableStart);
    spoken = speak(aligner, spoken.position, sameRun, now, heard);
    return speak(aligner, spoken.position, nextRun, now).furthestChunk;
}

class VoiceSyncRecovery : public ::testing::Test {
protected:
    VoiceSyncRecovery()
        : chunks(ScriptParser::parse(sentences.join(QString())))
        , aligner(chunks)
    {
    }
    void SetUp() override { ASSERT_EQ(chunks.count(), sentences.size()); }

    // The aligner as it was before it could find a presenter again: the guard alone.
    VoiceSyncAligner guardOnly() const
    {
        VoiceSyncAligner bare(chunks);
        bare.setShortTranscriptRule(std::nullopt);
        bare.setRecoverySearch(std::nullopt);
        return bare;
    }

    std::int64_t startOf(std::int64_t chunk) const { return chunks.paragraph(chunk).globalReadableStart; }

    // At the start of `chunk`, the count last moved at time 0.
    VoiceSyncPosition at(std::int64_t chunk) const { return { chunk, chunk, startOf(chunk), 0 }; }

    // On `chunk`, `shortBy` characters before its end.
    VoiceSyncPosition shortOfTheEnd(std::int64_t chunk, std::int64_t shortBy) const
    {
        return { chunk, chunk, startOf(chunk + 1) - shortBy, 0 };
    }

    // Reads the sentences from `first` to `last` one recognition run each, with errors, and
    // fails when the position ever runs more than one chunk ahead of the sentence being read.
    Spoken readWithErrors(
        const VoiceSyncAligner &reader, Spoken spoken, std::int64_t first, std::int64_t last, double &now) const
    {
        for (std::int64_t chunk = first; chunk <= last; ++chunk) {
            const QString heard = misheard(sentences.at(chunk));
            QStringList partials;
            for (qsizetype length = 1; length <= heard.size(); ++length)
                partials.append(heard.left(length));
            const Spoken read = hear(reader, spoken.position, partials, now, 0.25);
            EXPECT_LE(read.furthestChunk, chunk + 1) << "reading chunk " << chunk;
            spoken = { read.position, std::max(spoken.furthestChunk, read.furthestChunk) };
        }
        return spoken;
    }

    ScriptChunkIndex chunks;
    VoiceSyncAligner aligner;
};

} // namespace

TEST_F(VoiceSyncRecovery, AShortChunkSaidAloneThenTheNextReadWithErrorsIsCaughtUpWith)
{
    // The partials of chunk 1 stopped three characters before its end; chunk 2 (seven
    // characters) is said as a run of its own; chunks 3 to 6 follow with a third misheard.
    double now = 0;
    Spoken spoken = speak(aligner, shortOfTheEnd(1, 3), sentences.at(2), now);
    spoken = readWithErrors(aligner, spoken, 3, 6, now);
    EXPECT_GE(spoken.position.currentParagraphIndex, 6);

    // Before: the short chunk left the position on chunk 1, every later chunk was two or more
    // ahead and scored under what a far move needs, and it never moved again.
    now = 0;
    const VoiceSyncAligner before = guardOnly();
    Spoken stuck = speak(before, shortOfTheEnd(1, 3), sentences.at(2), now);
    stuck = readWithErrors(before, stuck, 3, 6, now);
    EXPECT_EQ(stuck.position.currentParagraphIndex, 1);
}

TEST_F(VoiceSyncRecovery, AFiveToSevenCharacterTranscriptMatchesTheNextShortChunk)
{
    const VoiceSyncPosition position = shortOfTheEnd(6, 0); // just after chunk 6: chunk 7 is current
    const VoiceSyncPosition behind = shortOfTheEnd(6, 2); // on chunk 6: chunk 7 is next
    for (const VoiceSyncPosition &start : { position, behind }) {
        for (const QString &transcript :
            { QStringLiteral("什麼叫做做完了"), QStringLiteral("什么叫做做完了"), QStringLiteral("叫做做完了") }) {
            const VoiceSyncDecision decision = aligner.handleVoiceSyncUpdate(transcript, start, 1.0);
            ASSERT_TRUE(decision.match) << transcript.toStdString();
            EXPECT_EQ(decision.match->index, 7);
            EXPECT_EQ(decision.position.spokenReadableCharacterCount, startOf(8));
            EXPECT_EQ(decision.position.currentParagraphIndex, 8);
            EXPECT_EQ(decision.status, QStringLiteral("已對齊第 9 句 · 100%"));
        }
        EXPECT_FALSE(guardOnly().handleVoiceSyncUpdate(QStringLiteral("什麼叫做做完了"), start, 1.0).match);
    }
    // Five of its seven characters are enough for the short chunk due, but not for one that
    // leaves out a sentence (chunk 6, from its start), nor for a short chunk due under the high
    // score a longer one needs; chunk 2 is far behind.
    VoiceSyncAligner comparedWholeOnly(chunks);
    comparedWholeOnly.setRecoverySearch(std::nullopt);
    const QString fiveOfSeven = QStringLiteral("什麼人做完好了");
    EXPECT_EQ(comparedWholeOnly.handleVoiceSyncUpdate(fiveOfSeven, position, 1.0).position.currentParagraphIndex, 8);
    EXPECT_FALSE(comparedWholeOnly.handleVoiceSyncUpdate(fiveOfSeven, at(6), 1.0).match);
    ShortTranscriptRule highScoreOnly;
    highScoreOnly.minimumDueShortChunkScore = highScoreOnly.minimumScore;
    comparedWholeOnly.setShortTranscriptRule(highScoreOnly);
    EXPECT_FALSE(comparedWholeOnly.handleVoiceSyncUpdate(fiveOfSeven, position, 1.0).match);
    EXPECT_FALSE(aligner.handleVoiceSyncUpdate(QStringLiteral("第三次比較有趣"), position, 1.0).match);
}

TEST_F(VoiceSyncRecovery, AChunkWithItsLastCharacterMisheardIsFinished)
{
    // Chunk 3 read to its end with its last character (亂) heard as another: the prompter moves
    // on to chunk 4, so that chunk 5 read next is one sentence on, not two.
    QString heard = ScriptParser::normalizedReadableText(sentences.at(3));
    const QString untilTheLast = heard.chopped(1);
    heard.back() = QChar(u'甲');
    double now = 0;
    const Spoken finished = speak(aligner, at(3), heard, now);
    EXPECT_EQ(finished.position.spokenReadableCharacterCount, startOf(4));
    EXPECT_EQ(finished.position.currentParagraphIndex, 4);

    // Stopped before the last character, he has not said it.
    now = 0;
    const Spoken pausing = speak(aligner, at(3), untilTheLast, now);
    EXPECT_EQ(pausing.position.spokenReadableCharacterCount, startOf(4) - 1);
    EXPECT_EQ(pausing.position.currentParagraphIndex, 3);
}

TEST_F(VoiceSyncRecovery, AFarChunkLeadingTheNearOnesInOrderIsTakenUnderTheFarScore)
{
    // Chunk 2 unheard, chunk 3 heard whole with a third of it wrong: two chunks ahead of chunk 1,
    // with a score under 0.8.
    const VoiceSyncPosition position = shortOfTheEnd(1, 3);
    const QString heard = misheard(sentences.at(3));
    const VoiceSyncDecision decision = aligner.handleVoiceSyncUpdate(heard, position, 1.0);
    ASSERT_TRUE(decision.match);
    EXPECT_EQ(decision.match->index, 3);
    EXPECT_LT(decision.match->score, 0.8);
    EXPECT_GE(decision.position.currentParagraphIndex, 3);
    EXPECT_LE(decision.position.currentParagraphIndex, 4);
    EXPECT_FALSE(guardOnly().handleVoiceSyncUpdate(heard, position, 1.0).match);
}

TEST_F(VoiceSyncRecovery, ThePresenterIsFoundAgainAfterSkippingFiveChunks)
{
    // At chunk 2 the presenter skips five and goes on with chunk 7, beyond the window (chunks 1
    // to 6); chunk 7 is too short to be found, chunk 8 is found.
    const VoiceSyncPosition position = at(2);
    ASSERT_EQ(aligner.nearbyParagraphRange(position).upperBound, 7);
    double now = 0;
    const Spoken spoken = readWithErrors(aligner, { position, 2 }, 7, 9, now);
    EXPECT_GE(spoken.position.currentParagraphIndex, 9);

    now = 0;
    const Spoken lost = readWithErrors(guardOnly(), { position, 2 }, 7, 9, now);
    EXPECT_EQ(lost.position.currentParagraphIndex, 2);
}

TEST_F(VoiceSyncRecovery, TheOpeningWordsAfterASkippedPassageFindThePresenter)
{
    // At the start of chunk 4 the presenter leaves out chunks 4 and 5 and starts chunk 6; its
    // first six characters run in order through chunk 6 alone (步是 is in chunks 4 and 9 too).
    const QString opening = QStringLiteral("第二步是替每");
    const QString longerOpening = opening + QStringLiteral("個");
    const VoiceSyncDecision decision = aligner.handleVoiceSyncUpdate(opening, at(4), 1.0);
    EXPECT_EQ(decision.position.currentParagraphIndex, 6);
    EXPECT_EQ(decision.position.spokenReadableCharacterCount, startOf(6) + 6);
    EXPECT_EQ(decision.status, QStringLiteral("已對齊第 7 句 · 100%"));
    // Sentences left out are counted from the spoken position: near the end of chunk 3, chunk 6
    // is again two sentences on.
    EXPECT_EQ(aligner.handleVoiceSyncUpdate(opening, shortOfTheEnd(3, 5), 1.0).position.currentParagraphIndex, 6);

    // Four sentences left out (from chunk 2) take more than two do, as an aside in the talk's own
    // words runs through some chunk's opening as far as five characters often enough.
    const QString shorterOpening = opening.left(5);
    EXPECT_EQ(aligner.handleVoiceSyncUpdate(shorterOpening, at(4), 1.0).position.currentParagraphIndex, 6);
    EXPECT_FALSE(aligner.handleVoiceSyncUpdate(shorterOpening, at(2), 1.0).match);
    EXPECT_EQ(aligner.handleVoiceSyncUpdate(opening, at(2), 1.0).position.currentParagraphIndex, 6);

    // Heard in the same run as the end of the sentence before: the latest words decide where
    // the presenter is, not the older ones, which fit better.
    const QString afterTheEnd = ScriptParser::normalizedReadableText(sentences.at(1)).right(10) + longerOpening;
    EXPECT_EQ(aligner.handleVoiceSyncUpdate(afterTheEnd, at(2), 1.0).position.currentParagraphIndex, 6);

    // Four characters are too few, and the same six out of order are no evidence.
    EXPECT_FALSE(aligner.handleVoiceSyncUpdate(QStringLiteral("第二步是"), at(4), 1.0).match);
    EXPECT_FALSE(aligner.handleVoiceSyncUpdate(QStringLiteral("每替是步二第"), at(4), 1.0).match);

    // Waiting for the window's eight characters leaves the presenter two sentences longer.
    const VoiceSyncAligner longNeedles = withSearch(chunks, [](RecoverySearch &search) { search.shortestNeedle = 8; });
    EXPECT_FALSE(longNeedles.handleVoiceSyncUpdate(opening, at(4), 1.0).match);
}

TEST_F(VoiceSyncRecovery, TheFirstWordsOfARunContinueTheSentencesHeardInTheRunsBefore)
{
    // Each recognition run starts from nothing. Chunk 6 is read as one run and chunk 7 (seven
    // characters) as a run of its own with two characters misheard: too few and too wrong for
    // the window (compared whole, they would be found alone), but they run on from chunk 6 in order.
    VoiceSyncAligner searchOnly(chunks);
    searchOnly.setShortTranscriptRule(std::nullopt);
    const auto forgetting = [&searchOnly](VoiceSyncPosition position, const QStringList &transcripts, double &now) {
        for (const QString &transcript : transcripts) {
            position.heard = {};
            position = searchOnly.handleVoiceSyncUpdate(transcript, position, now += 0.25).position;
        }
        return position;
    };
    const auto partialsOf = [](const QString &heard) {
        QStringList partials;
        for (qsizetype length = 1; length <= heard.size(); ++length)
            partials.append(heard.left(length));
        return partials;
    };
    double now = 0;
    const Spoken chunk6 = speak(searchOnly, at(6), sentences.at(6), now);
    const QStringList chunk7 = partialsOf(misheard(sentences.at(7)));
    EXPECT_EQ(hear(searchOnly, chunk6.position, chunk7, now, 0.25).position.currentParagraphIndex, 8);
    EXPECT_EQ(forgetting(chunk6.position, chunk7, now).currentParagraphIndex, 7);

    // A run that ends mid-sentence: the next run's first four characters carry on from it.
    const QString chunk8 = ScriptParser::normalizedReadableText(sentences.at(8));
    const Spoken firstRun = speak(searchOnly, at(8), chunk8.left(9), now);
    const std::int64_t afterFirstRun = firstRun.position.spokenReadableCharacterCount;
    ASSERT_LT(afterFirstRun, startOf(8) + 13);
    const QStringList secondRun = partialsOf(chunk8.mid(9, 4));
    EXPECT_EQ(hear(searchOnly, firstRun.position, secondRun, now, 0.25).position.spokenReadableCharacterCount,
        startOf(8) + 13);
    EXPECT_EQ(forgetting(firstRun.position, secondRun, now).spokenReadableCharacterCount, afterFirstRun);
}

TEST(VoiceSyncBeyondTheWindow, AnAsideRunningThroughAChunkFarAheadNeedsStrongerEvidence)
{
    // The presenter has said the short chunk 1 (這就是範本) and adds an aside in a run of its own
    // that opens like chunk 8; chunk 7, just before it, opens like chunk 1. Joined, the two runs
    // run on through chunks 7 and 8 in order, about as well as a chunk within the window needs.
    const QStringList talk = { QStringLiteral("今天先談談準備的方法。"), QStringLiteral("這就是範本。"),
        QStringLiteral("接著看看哪些步驟可以合併。"), QStringLiteral("替每個步驟找一個明確的負責人。"),
        QStringLiteral("再決定要用什麼工具串起來。"), QStringLiteral("定期回頭檢查流程順不順。"),
        QStringLiteral("你會發現需要的東西其實不多。"), QStringLiteral("這就是規則。"),
        QStringLiteral("每個人把複雜的工作流程分類好。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    // At the start of chunk 2: the search reaches beyond the window.
    VoiceSyncPosition position { 2, 2, chunks.paragraph(2).globalReadableStart, 0 };
    position.heard = { QStringLiteral("這就是範本"), QString() };
    const QString aside = QStringLiteral("每個人真的確認工作流");

    const VoiceSyncAligner aligner(chunks);
    EXPECT_FALSE(aligner.handleVoiceSyncUpdate(aside, position, 10.0).match);

    const VoiceSyncAligner asInTheWindow = withSearch(chunks,
        [](RecoverySearch &search) { search.minimumAlignmentWeightBeyondWindow = search.minimumAlignmentWeight; });
    EXPECT_EQ(asInTheWindow.handleVoiceSyncUpdate(aside, position, 10.0).position.currentParagraphIndex, 8);
}

TEST(VoiceSyncBeyondTheWindow, APassageLeftOutIsSearchedAtOnceAfterAStockOpeningMovedTheCount)
{
    // Chunk 0 read, the presenter leaves out six sentences and reads 也重要嗎 and 這就是權限. The
    // window took 這就是 for the opening of chunk 1, left out, and moved the count three
    // characters into it just now; the presenter is seven chunks on, beyond the window.
    const QStringList talk = { QStringLiteral("新手調整密碼。"), QStringLiteral("這就是截圖。"),
        QStringLiteral("首先老闆把溝通方式上傳好。"), QStringLiteral("團隊把內部的照片整理好。"),
        QStringLiteral("什麼叫做合併完了？"), QStringLiteral("什麼叫做上傳完了？"),
        QStringLiteral("客戶還是把供應商安排好。"), QStringLiteral("也重要嗎？"), QStringLiteral("這就是權限。"),
        QStringLiteral("每個人重新想過了。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    VoiceSyncPosition position { 1, 1, chunks.paragraph(1).globalReadableStart + 3, 10.0 };
    position.heard = { QStringLiteral("新手調整密碼"), QStringLiteral("也重要嗎這就是") };
    const QString heard = QStringLiteral("也重要嗎這就是權限");

    const VoiceSyncDecision decision = VoiceSyncAligner(chunks).handleVoiceSyncUpdate(heard, position, 10.6);
    EXPECT_EQ(decision.position.currentParagraphIndex, 9);
    EXPECT_EQ(decision.position.spokenReadableCharacterCount, chunks.paragraph(9).globalReadableStart);

    const VoiceSyncAligner windowOnly
        = withSearch(chunks, [](RecoverySearch &search) { search.chunksSearchedAhead = search.chunksAhead; });
    EXPECT_EQ(windowOnly.handleVoiceSyncUpdate(heard, position, 10.6).position.spokenReadableCharacterCount,
        position.spokenReadableCharacterCount);
}

TEST(VoiceSyncBeyondTheWindow, AReReadSentenceDoesNotCountAsTimeLostBeforeAnAside)
{
    // Chunk 5 just read, the presenter re-reads chunk 4 (第四次比較內部) and, in the same run, adds
    // an aside whose words run in order through chunk 13, beyond the window; together they are
    // over twenty characters and five seconds without a move.
    const QStringList talk = { QStringLiteral("工程師寫下想法和分類設計師已經改善待辦清單。"), QStringLiteral("這就是平台。"),
        QStringLiteral("第一步是把意見規劃好這個流程還是分享意見和版本。"), QStringLiteral("每個人更新筆記。"),
        QStringLiteral("第四次比較內部。"), QStringLiteral("通常準備帳號和貨運新同事就回頭看看庫存。"),
        QStringLiteral("這就是廣告。"), QStringLiteral("客戶合併工具。"),
        QStringLiteral("再來每個人統計郵件我的朋友真的移除備份。"), QStringLiteral("也麻煩嗎。"),
        QStringLiteral("舉例來說也移除關鍵的產品設計。"), QStringLiteral("什麼叫做歸檔完了。"),
        QStringLiteral("慢慢基本嗎。"), QStringLiteral("小團隊比較把公開的紀錄統計好解決工作流程。"),
        QStringLiteral("但是設計師把照片和郵件整理好我自己保留數字。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const VoiceSyncPosition position { 6, 6, chunks.paragraph(6).globalReadableStart, 0 };
    const QString said = QStringLiteral("第四次比較內部另外小團隊把便宜的錄音統計好");

    double now = 1.5;
    EXPECT_EQ(speak(VoiceSyncAligner(chunks), position, said, now).furthestChunk, 6);

    // Counting the re-read as time lost, the aside is taken for the presenter found beyond the window.
    now = 1.5;
    const VoiceSyncAligner rereadLost
        = withSearch(chunks, [](RecoverySearch &search) { search.minimumRereadWeight = 1000; });
    EXPECT_GE(speak(rereadLost, position, said, now).furthestChunk, 13);
}

TEST(VoiceSyncShortChunk, AnAsideBridgingIntoAShortChunkOneSentenceOnDoesNotMarkItRead)
{
    // Chunk 2 just read; in the same run the presenter adds an aside ending in 處理意見, and
    // chunk 4 (這就是意見) is a short one a sentence on. Joined to the sentence just read, the
    // aside aligns through to its end with the weight the next chunks need.
    const QStringList talk = { QStringLiteral("大家先建立答案。"), QStringLiteral("設計師還是安排素材你慢慢分享素材。"),
        QStringLiteral("我們寫下節奏和供應商馬上把清楚的分類合併好。"), QStringLiteral("這就是時間表。"),
        QStringLiteral("這就是意見。"), QStringLiteral("新同事也保留規則。"),
        QStringLiteral("學會發票很多公司分享重複的庫存。"), QStringLiteral("準備預算工程師其實解決基本的發票。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const VoiceSyncPosition position { 3, 3, chunks.paragraph(3).globalReadableStart, 0 };
    const QString justRead = ScriptParser::normalizedReadableText(talk.at(2));

    double now = 1.0;
    EXPECT_EQ(speak(VoiceSyncAligner(chunks), position, QStringLiteral("每個人已經處理意見"), now, justRead).furthestChunk, 3);

    now = 1.0;
    const VoiceSyncAligner endsOnly = withSearch(chunks, [](RecoverySearch &search) {
        search.shortChunkMinimumHeardShare = 0;
        search.minimumLeftOutWordsWeight = -1000;
    });
    EXPECT_EQ(speak(endsOnly, position, QStringLiteral("每個人已經處理意見"), now, justRead).furthestChunk, 5);

    // Chunk 3 left out and chunk 4 read whole: the presenter is found there. (Chunk 3 opens
    // otherwise here: two short chunks opening alike are told apart only as the words go on.)
    QStringList skipped = talk;
    skipped[3] = QStringLiteral("接著整理時間表。");
    const ScriptChunkIndex skippedChunks(ScriptParser::parse(skipped.join(QString())));
    now = 1.0;
    EXPECT_EQ(speak(VoiceSyncAligner(skippedChunks), position, talk.at(4), now, justRead).furthestChunk, 5);
}

TEST(VoiceSyncShortChunk, AShortChunkReadAfterAPassageLeftOutIsNotCountedAsLeftOut)
{
    // Chunk 0 read; the presenter leaves out chunks 1 and 2, says short chunk 3 garbled in the
    // same run, then chunk 4 with errors in a run of its own. Counted from chunk 4, three
    // sentences are left out, and its opening words alone weigh less than that asks.
    const QStringList talk = { QStringLiteral("說真的小團隊測試行事曆。"),
        QStringLiteral("真的把正式的數字簡化好客戶常常把少見的腳本追蹤好。"), QStringLiteral("我們檢查基本的目標。"),
        QStringLiteral("業務更新了。"), QStringLiteral("解決錄音和表單。"), QStringLiteral("這就是工具。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const auto furthestChunk = [](const VoiceSyncAligner &aligner, const QString &chunk3Heard, const QString &saying) {
        return furthestChunkAfterTwoRuns(aligner, QStringLiteral("说真的這小道队测试行事历"), 1, chunk3Heard, saying);
    };
    const VoiceSyncAligner aligner(chunks);
    const VoiceSyncAligner shortChunksLeftOut
        = withSearch(chunks, [](RecoverySearch &search) { search.minimumShortChunkReadWeight = 1000; });
    const QString chunk3Heard = QStringLiteral("业务法只了");
    const QString chunk4Opening = QStringLiteral("后决录音和过");
    EXPECT_GE(furthestChunk(aligner, chunk3Heard, chunk4Opening), 4);
    EXPECT_EQ(furthestChunk(shortChunksLeftOut, chunk3Heard, chunk4Opening), 1);

    // Words that hold nothing of chunk 3 before chunk 4's opening still count it left out: an
    // aside may open as a later sentence does. (The score floor is lifted: these few words score
    // under it over the text they end in, whichever way chunk 3 is counted.)
    const QString chunk4Garbled = QStringLiteral("后决录音和表");
    const QString aside = QStringLiteral("大家好嗎");
    const VoiceSyncAligner anyScore = withSearch(chunks, [](RecoverySearch &search) { search.minimumScore = 0; });
    EXPECT_EQ(furthestChunk(anyScore, aside, chunk4Garbled), 1);
    const VoiceSyncAligner anyShortChunkRead = withSearch(chunks, [](RecoverySearch &search) {
        search.minimumScore = 0;
        search.minimumShortChunkReadWeight = -1000;
    });
    EXPECT_GE(furthestChunk(anyShortChunkRead, aside, chunk4Garbled), 4);
}

TEST(VoiceSyncShortChunk, TheShortChunkDueReadIntoTheNextLeavesNothingOut)
{
    // Chunks 0 to 2 read; short chunk 3, due, said with its last two characters misheard in the
    // same run, then chunk 4's first words in a run of their own.
    const QStringList talk = { QStringLiteral("講到這裡客戶比較重新想過成果。"),
        QStringLiteral("新同事把備份和合約寄出好。"), QStringLiteral("馬上比較內部的設定檔。"),
        QStringLiteral("你收集了。"), QStringLiteral("什麼叫做檢查完了。"), QStringLiteral("團隊處理了。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const auto furthestChunk = [&talk](const VoiceSyncAligner &aligner) {
        const QString chunksRead = ScriptParser::normalizedReadableText(talk.mid(0, 3).join(QString()));
        return furthestChunkAfterTwoRuns(aligner, chunksRead, 3, QStringLiteral("你收於所"), QStringLiteral("什麼叫"));
    };
    EXPECT_EQ(furthestChunk(VoiceSyncAligner(chunks)), 4);
    // Counted as left out, chunk 3 keeps the prompter there until more words are heard.
    const VoiceSyncAligner shortChunksLeftOut
        = withSearch(chunks, [](RecoverySearch &search) { search.minimumShortChunkReadWeight = 1000; });
    EXPECT_EQ(furthestChunk(shortChunksLeftOut), 3);
}

TEST(VoiceSyncRepeatedPattern, ASentenceOfAPatternRepeatedFurtherOnIsNotTakenForALaterOne)
{
    // Chunk 0 is read, then chunk 1, then chunk 0 again, then chunk 2: its words fit chunk 4 as
    // well, and heard after the re-read sentence they align on through chunk 3 to chunk 4 a little
    // better than with chunk 2, where the presenter is.
    const QStringList talk = { QStringLiteral("第四次比較手動。"), QStringLiteral("第三步是大家確認簡報業務真的說明課程和合約。"),
        QStringLiteral("第二次比較便宜。"), QStringLiteral("團隊記錄了。"), QStringLiteral("第一次比較簡單。"),
        QStringLiteral("第三次比較清楚。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const VoiceSyncPosition position { 3, 3, chunks.paragraph(3).globalReadableStart, 0 };
    const QString heard = QStringLiteral("說明課程和合約第四次比較手動第二次比較");
    EXPECT_EQ(VoiceSyncAligner(chunks).handleVoiceSyncUpdate(heard, position, 1.0).position.currentParagraphIndex, 3);

    // Chunk 2, already reached, holds the latest words better than chunk 4: that alone refuses it too.
    const VoiceSyncAligner overlapsIgnored = withSearch(chunks, [](RecoverySearch &search) {
        search.sameAlignmentShift = search.latestCharacters;
        search.minimumOwnLeadOverReachedChunks = -1000;
        search.minimumLeftOutWordsWeight = -1000;
    });
    EXPECT_EQ(overlapsIgnored.handleVoiceSyncUpdate(heard, position, 1.0).position.currentParagraphIndex, 4);
}

TEST(VoiceSyncRepeatedPattern, AnAsideBridgingIntoALaterSentenceOfThePatternDoesNotOutweighTheCurrentOne)
{
    // At the start of chunk 2 the presenter makes an aside ending in 行事曆, which ends chunk 3,
    // then reads chunk 2: its opening 什麼 runs on from 行事曆 into chunk 4, which opens alike.
    const QStringList talk = { QStringLiteral("我自己回頭看看程式觀察重要的會議紀錄。"), QStringLiteral("今天先聊聊工作流程。"),
        QStringLiteral("什麼叫做統計完了？"), QStringLiteral("這個流程也確認行事曆。"), QStringLiteral("什麼叫做記錄完了？"),
        QStringLiteral("接著業務已經測試檔案和素材客戶分享這個設定檔。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const VoiceSyncPosition position { 2, 2, chunks.paragraph(2).globalReadableStart, 0 };
    const QString aside = QStringLiteral("再規劃工作流程和帳號分享這個行事曆");

    double now = 1.0;
    const Spoken followed = speak(VoiceSyncAligner(chunks), position, talk.at(2), now, aside);
    EXPECT_EQ(followed.furthestChunk, 3); // chunk 2 read to its end
    EXPECT_EQ(followed.position.spokenReadableCharacterCount, chunks.paragraph(3).globalReadableStart);

    // Chunk 4 by itself holds no more of the latest words than chunk 2, so that alone refuses it too.
    now = 1.0;
    const VoiceSyncAligner anyLead = withSearch(chunks, [](RecoverySearch &search) {
        search.minimumLeadOverCurrentChunk = 0;
        search.minimumOwnLeadOverReachedChunks = -1000;
    });
    EXPECT_EQ(speak(anyLead, position, talk.at(2), now, aside).furthestChunk, 5);
}

TEST(VoiceSyncRefusedFarMatch, ThePresentersOwnChunkHoldingItsWordsTakesThemInstead)
{
    // The presenter re-reads chunk 0 with errors and starts chunk 2, a short one. Chunk 6 opens
    // alike and, being longer, scores better on those words; too far ahead, it is refused.
    const QStringList talk = { QStringLiteral("記錄規則。"),
        QStringLiteral("第三步是我自己討論專案進度我們通常把收據和錄音設定好。"), QStringLiteral("這就是庫存。"),
        QStringLiteral("因為馬上解決工作流程真的簡化每週的發票。"), QStringLiteral("討論時間表馬上觀察共用的圖表。"),
        QStringLiteral("老闆常常處理平台和設定檔。"), QStringLiteral("這就是會議紀錄。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const std::int64_t start = chunks.paragraph(2).globalReadableStart;
    const VoiceSyncPosition position { 2, 2, start, 0 };

    const VoiceSyncDecision decision
        = VoiceSyncAligner(chunks).handleVoiceSyncUpdate(QStringLiteral("記大後規會這就是"), position, 1.0);
    // As far as 這就是, not to the end of the chunk its comparison window reaches.
    EXPECT_EQ(decision.position.spokenReadableCharacterCount, start + 3);
    EXPECT_EQ(decision.position.currentParagraphIndex, 2);
}

TEST(VoiceSyncShortChunk, AShortChunkEndingTheLatestWordsWholeIsTakenUnlessAnEarlierChunkHoldsThem)
{
    // Chunk 2 read, chunk 3 left out, and chunk 4 said in the same recognition run.
    QStringList talk = { QStringLiteral("老實說我自己說明這個權限。"), QStringLiteral("業務選擇了。"),
        QStringLiteral("反過來說其實回頭看看腳本。"), QStringLiteral("說真的新同事討論發票我們就分類報告。"),
        QStringLiteral("一定重要嗎？"), QStringLiteral("這個流程馬上移除這個權限一定把手動的時間表合併好。") };
    const auto chunkAfter = [&talk](const QString &heard) {
        const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
        const VoiceSyncPosition position { 3, 3, chunks.paragraph(3).globalReadableStart, 0 };
        return VoiceSyncAligner(chunks).handleVoiceSyncUpdate(heard, position, 1.0).position.currentParagraphIndex;
    };
    EXPECT_EQ(chunkAfter(QStringLiteral("反過來說其實回頭看看腳本一定重要嗎")), 5); // chunk 4 read to its end

    // Chunk 2, just read, ends in the same words: he is re-reading it.
    talk[2] = QStringLiteral("反過來說其實回頭看看一定重要嗎？");
    EXPECT_EQ(chunkAfter(QStringLiteral("反過來說其實回頭看看一定重要嗎")), 3);
}

TEST(VoiceSyncShortChunk, AShortChunkHeardWithMostOfItWrongDoesNotCountAsLeftOut)
{
    // The count waits at the start of the short chunk 1 (再混亂嗎), heard as 用混從定; in the same
    // run the presenter reads chunk 2 with two characters wrong.
    const QStringList talk = { QStringLiteral("首先使用者分類分類和帳號。"), QStringLiteral("再混亂嗎？"),
        QStringLiteral("這就是數字。"), QStringLiteral("第二步是每個人把行事曆整理好。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const auto chunkAfter = [&chunks](const VoiceSyncAligner &aligner, const QString &heard) {
        QStringList partials;
        for (qsizetype length = 1; length <= heard.size(); ++length)
            partials.append(heard.left(length));
        double now = 10;
        const VoiceSyncPosition position { 1, 1, chunks.paragraph(1).globalReadableStart, now };
        return hear(aligner, position, partials, now, 0.2).position.currentParagraphIndex;
    };
    const QString heard = QStringLiteral("用混從定這就其年數字");
    EXPECT_EQ(chunkAfter(VoiceSyncAligner(chunks), heard), 3);

    VoiceSyncAligner asLeftOut(chunks);
    ShortTranscriptRule rule;
    rule.charactersHeardAfterAShortChunk = 1000;
    asLeftOut.setShortTranscriptRule(rule);
    // Counted as left out, chunk 2 is too short for its words to move there; the count only steps
    // to its start.
    EXPECT_EQ(chunkAfter(asLeftOut, heard), 2);

    // Words before chunk 2 with none of chunk 1's (an aside) do not count it as said.
    EXPECT_EQ(chunkAfter(VoiceSyncAligner(chunks), QStringLiteral("用從定這就其年數字")), 2);
}

TEST(VoiceSyncShortChunk, AShortChunkReadWithThreeOfItsSevenCharactersMisheardIsFound)
{
    // The talk's first two chunks read with many errors, the short chunk 1 heard as 第進為的較便宜,
    // and the recogniser's words arriving late, most of them in one result.
    const QStringList talk = { QStringLiteral("什麼叫做收集完了？"), QStringLiteral("第二次比較便宜。"),
        QStringLiteral("首先我自己已經規劃重要的密碼，主管把快速的網站追蹤好！") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const auto chunkAfter = [&chunks](const VoiceSyncAligner &aligner) {
        const QStringList partials = { QStringLiteral("理麼之法大"), QStringLiteral("理麼之法大收集完了第進為的較便宜") };
        double now = 1;
        return hear(aligner, VoiceSyncPosition { 0, 0, 0, 0 }, partials, now, 0.2).position.currentParagraphIndex;
    };
    EXPECT_EQ(chunkAfter(VoiceSyncAligner(chunks)), 2);

    // Asked to hold half of the chunk, the search leaves the presenter two chunks behind.
    EXPECT_EQ(chunkAfter(withSearch(chunks, [](RecoverySearch &search) { search.shortChunkMinimumHeardShare = 0.5; })), 0);
}

TEST(VoiceSyncAside, AnAsideHoldingTheDueChunksFirstCharactersDoesNotCountThatChunkBegun)
{
    // Chunks 0, 2 and 4 read; the aside after chunk 4 opens with 我 (chunk 5 opens 我自己) and
    // ends in chunk 6's last words. Had 我 counted chunk 5 begun, chunk 6 would be the next
    // sentence rather than one leaving chunk 5 out, and its four last characters would carry the
    // prompter there.
    const QStringList talk = { QStringLiteral("說真的工程師把溝通方式保留好？"), QStringLiteral("換句話說你還是調整這個工具？"),
        QStringLiteral("因為把步驟和字幕設定好。"), QStringLiteral("什麼叫做保留完了？"), QStringLiteral("小團隊把這個待辦清單安排好。"),
        QStringLiteral("我自己建立臨時的腳本。"), QStringLiteral("每個人其實上傳產品設計。"), QStringLiteral("寄出會議紀錄，交給網站！"),
        QStringLiteral("首先觀察每週的程式？") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const VoiceSyncAligner aligner(chunks);
    double now = 1;
    Spoken spoken { VoiceSyncPosition { 0, 0, 0, now }, 0 };
    for (const int chunk : { 0, 2, 4 })
        spoken = speak(aligner, spoken.position, talk.at(chunk), now);
    ASSERT_EQ(spoken.position.spokenReadableCharacterCount, chunks.paragraph(5).globalReadableStart);

    spoken = speak(aligner, spoken.position, QStringLiteral("另外我的朋友設定長期的表單建立產品設計"), now,
        ScriptParser::normalizedReadableText(talk.at(4)));
    EXPECT_EQ(spoken.furthestChunk, 5);

    // The presenter then reads chunk 5 and is followed.
    EXPECT_EQ(speak(aligner, spoken.position, talk.at(5), now).furthestChunk, 6);

    // Two characters open an aside as often: after chunk 0 of another talk, 老闆 (chunk 1 opens
    // 老闆比較) and then 工作流程, chunk 2's close.
    const QStringList start = { QStringLiteral("選擇這個檔案。"), QStringLiteral("老闆比較討論長期的字幕。"),
        QStringLiteral("客戶準備工作流程！"), QStringLiteral("新同事安排檔案，設計師歸檔每月的表單！") };
    const ScriptChunkIndex startChunks(ScriptParser::parse(start.join(QString())));
    ASSERT_EQ(startChunks.count(), start.size());
    const VoiceSyncAligner startAligner(startChunks);
    now = 1;
    spoken = speak(startAligner, VoiceSyncPosition { 0, 0, 0, now }, start.at(0), now);
    spoken = speak(startAligner, spoken.position, QStringLiteral("講到這裡老闆寄出工作流程"), now,
        ScriptParser::normalizedReadableText(start.at(0)));
    EXPECT_LE(spoken.furthestChunk, 2);
    EXPECT_EQ(speak(startAligner, spoken.position, start.at(1), now).furthestChunk, 2);
}

TEST(VoiceSyncAside, WordsRunningOnFromTheSentenceReadDoNotCarryThePositionPastTheNext)
{
    // Chunks 0 to 2 read word for word; before chunk 3 the presenter adds an aside whose stock
    // opening (這個流程) is chunk 4's. After 解決圖表 just read, it aligns in order over chunk 3 into
    // chunk 4 as far as the next chunks need.
    const QStringList talk = { QStringLiteral("很多公司馬上把備份調整好，我自己其實交給訊息。"),
        QStringLiteral("設計師選擇了。"), QStringLiteral("同樣地客戶其實解決圖表。"), QStringLiteral("這就是庫存。"),
        QStringLiteral("這個流程歸檔了。"), QStringLiteral("工作流程呢？"), QStringLiteral("第二步是客戶避開網站。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const QString aside = QStringLiteral("這個流程也說明清楚的檔案交給這個預算");
    EXPECT_LE(furthestChunkSaying(VoiceSyncAligner(chunks), talk.mid(0, 3), 3, aside), 4);
    // Nor held back on the words heard since the count moved, which stop it too.
    const VoiceSyncAligner bridged = withSearch(chunks, [](RecoverySearch &search) {
        search.hearingQualityForUnreadWordsOnly = 2;
        search.minimumLeftOutWordsWeight = -1000;
        search.minimumHearingQualityToHoldBackMoves = 2;
    });
    EXPECT_GE(furthestChunkSaying(bridged, talk.mid(0, 3), 3, aside), 5);

    // Chunk 3 left out and chunk 4 read: the presenter is found by its own words.
    EXPECT_EQ(furthestChunkSaying(VoiceSyncAligner(chunks), talk.mid(0, 3), 3, talk.at(4)), 5);
}

TEST(VoiceSyncAside, AnAsideRunningIntoASentenceHalfwayDoesNotCarryThePositionThere)
{
    // Chunks 0 to 2 read word for word; before chunk 3 the presenter adds an aside that runs in
    // order through the close of chunk 6 (產品設計) into the opening of chunk 7 (把關鍵的), as far
    // as a chunk four on needs.
    const QStringList talk
        = { QStringLiteral("因為大家常常規劃素材，工程師一定規劃工具。"), QStringLiteral("團隊檢查產品設計。"),
              QStringLiteral("第二步是收集檔案。"), QStringLiteral("我自己測試這個版本，這套系統追蹤筆記。"),
              QStringLiteral("很多時候重新想過供應商，都追蹤正式的聯絡人？"), QStringLiteral("新手先合併這個排程。"),
              QStringLiteral("統計臨時的產品設計。"), QStringLiteral("都把關鍵的工具上傳好，簡化基本的溝通方式。"),
              QStringLiteral("寄出臨時的圖表，我自己排序這個工具。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const QString aside = QStringLiteral("避開廣告和產品設計老闆就把關鍵的");
    EXPECT_LE(furthestChunkSaying(VoiceSyncAligner(chunks), talk.mid(0, 3), 3, aside), 4);
    const VoiceSyncAligner beginningAnywhere
        = withSearch(chunks, [](RecoverySearch &search) { search.sentenceStartSlack = 1000; });
    EXPECT_GE(furthestChunkSaying(beginningAnywhere, talk.mid(0, 3), 3, aside), 7);

    // Chunks 3 to 5 left out: chunk 6 read from its start finds the presenter.
    EXPECT_EQ(furthestChunkSaying(VoiceSyncAligner(chunks), talk.mid(0, 3), 3, talk.at(6) + talk.at(7).left(5)), 7);
}

TEST(VoiceSyncAside, TheCloseOfTheSentenceReadAndAnAsidesFirstWordDoNotCarryThePositionBeyondTheWindow)
{
    // Chunks 0 and 1 heard with many characters wrong; chunk 1 closes as chunk 9 does
    // (重新想過好), and the aside after it opens with chunk 10's first word (小團隊), eight on.
    const QStringList talk
        = { QStringLiteral("產品設計呢？"), QStringLiteral("換句話說我的朋友把筆記和帳號重新想過好。"),
              QStringLiteral("什麼叫做討論完了？"), QStringLiteral("第三次比較快速。"),
              QStringLiteral("真的拆開任務。"), QStringLiteral("每個人上傳排程，你慢慢檢查新的資料夾。"),
              QStringLiteral("很多時候設計師簡化素材，你把每週的合約排序好。"), QStringLiteral("這個流程改善了！"),
              QStringLiteral("第一步是新同事規劃麻煩的專案進度，工程師保留步驟。"),
              QStringLiteral("一定把意見和資料夾重新想過好。"), QStringLiteral("小團隊調整問題，先分享清單和系統。"),
              QStringLiteral("工程師通常歸檔新的產品設計，客戶避開這個習慣。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const QStringList heard
        = { QStringLiteral("產品設計呢"), QStringLiteral("換句人都同的朋友現也記天帳號重新想過好") };
    EXPECT_LE(furthestChunkSaying(VoiceSyncAligner(chunks), heard, 2, QStringLiteral("小團隊")), 3);
    const VoiceSyncAligner beginningAnywhere
        = withSearch(chunks, [](RecoverySearch &search) { search.sentenceStartSlack = 1000; });
    EXPECT_GE(furthestChunkSaying(beginningAnywhere, heard, 2, QStringLiteral("小團隊")), 10);

    // Chunks 2 to 9 left out: chunk 10 read, heard as badly, finds the presenter.
    EXPECT_EQ(furthestChunkSaying(VoiceSyncAligner(chunks), heard, 2, misheard(talk.at(10))), 11);
}

TEST(VoiceSyncAside, AnAsideHoldingALaterChunkLessCloselyThanThePresenterIsHeardDoesNotCarryThePositionThere)
{
    // Chunks 0 and 1 read word for word; the aside after them holds in order chunk 4's opening
    // and a stretch of it (但是…回頭看看…這個, of 但是大家回頭看看這個問題), as far as a chunk two
    // sentences on needs, but with words of its own between.
    const QStringList talk
        = { QStringLiteral("業務把規則交給好，一定調整這個字幕。"), QStringLiteral("客戶把麻煩的報告選擇好。"),
              QStringLiteral("第二步是客戶避開網站。"), QStringLiteral("還是保留供應商，設計師再記錄零散的成果！"),
              QStringLiteral("但是大家回頭看看這個問題，我自己常常把穩定的外掛檢查好。"),
              QStringLiteral("但是學會預約，新手寫下腳本和程式。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const QString aside = QStringLiteral("但是回頭看看訂單這個");
    EXPECT_LE(furthestChunkSaying(VoiceSyncAligner(chunks), talk.mid(0, 2), 2, aside), 3);
    // Nor held back on its words, which stop it too.
    VoiceSyncAligner usualMargin
        = withSearch(chunks, [](RecoverySearch &search) { search.minimumHearingQualityToHoldBackMoves = 2; });
    HearingQualityRule rule;
    rule.marginLeavingOutASentence = rule.margin;
    usualMargin.setHearingQualityRule(rule);
    EXPECT_GE(furthestChunkSaying(usualMargin, talk.mid(0, 2), 2, aside), 4);

    // Chunks 2 and 3 left out: chunk 4 read from its start finds the presenter.
    EXPECT_EQ(furthestChunkSaying(VoiceSyncAligner(chunks), talk.mid(0, 2), 2, talk.at(4).left(9)), 4);
}

TEST(VoiceSyncAside, AnAsideAfterTheSentenceReadDoesNotRunThroughItPastTheShortChunkDue)
{
    // The presenter, heard badly, reads chunk 0, makes an aside holding chunk 3's 重新想過, reads
    // chunk 1 and says the aside again in the same run. Aligned on from chunk 1's words, past
    // chunk 2 left unsaid, it weighs what the next chunks need.
    const QStringList talk = { QStringLiteral("舉例來說很多公司簡化庫存和影片。"),
        QStringLiteral("接著小團隊馬上檢查作業和程式。"), QStringLiteral("大家交給了。"),
        QStringLiteral("業務重新想過清單。"), QStringLiteral("使用者寄出了。"), QStringLiteral("我自己測試了。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const auto furthestChunkAfterChunk1 = [&](const VoiceSyncAligner &aligner, const QString &saying) {
        double now = 1;
        Spoken spoken = speak(aligner, VoiceSyncPosition { 0, 0, 0, now }, talk.at(0), now);
        spoken = speak(aligner, spoken.position, QStringLiteral("如果慢慢重新想過交接文件"), now);
        spoken = speak(aligner, spoken.position, talk.at(1), now);
        EXPECT_EQ(spoken.position.spokenReadableCharacterCount, chunks.paragraph(2).globalReadableStart);
        return speak(aligner, spoken.position, saying, now, ScriptParser::normalizedReadableText(talk.at(1)))
            .furthestChunk;
    };
    const QString aside = QStringLiteral("如果慢慢重新想過交接文件");
    const VoiceSyncAligner heardBadly
        = withSearch(chunks, [](RecoverySearch &search) { search.hearingQualityForUnreadWordsOnly = 2; });
    EXPECT_EQ(furthestChunkAfterChunk1(heardBadly, aside), 2);
    const VoiceSyncAligner wordsReadAlwaysCount = withSearch(chunks, [](RecoverySearch &search) {
        search.hearingQualityForUnreadWordsOnly = 2;
        search.minimumLeftOutWordsWeight = -1000;
    });
    EXPECT_GE(furthestChunkAfterChunk1(wordsReadAlwaysCount, aside), 3);

    // Chunk 2 said with most of it misheard, then chunk 3 with errors: the presenter is found.
    EXPECT_GE(furthestChunkAfterChunk1(heardBadly, QStringLiteral("大甲交乙丙") + misheard(talk.at(3))), 3);
}

TEST(VoiceSyncShortChunk, AShortChunkHeardWholeAFewSentencesBeyondTheWindowIsTaken)
{
    // Chunks 0 and 1 read; the presenter leaves out five sentences and says chunk 7 word for word.
    // Chunk 9 opens as it does, so the search finds no clear lead for it.
    QStringList talk = { QStringLiteral("今天想跟大家聊聊怎麼整理每週的報告。"),
        QStringLiteral("很多公司一開始就急著找新的工具。"), QStringLiteral("可是流程本身沒有想清楚，還是會很亂。"),
        QStringLiteral("所以先把每天重複在做的事情寫下來。"), QStringLiteral("接著看看哪些步驟可以直接拿掉。"),
        QStringLiteral("然後替每個步驟找一個負責人。"), QStringLiteral("最後再決定要用什麼工具串起來。"),
        QStringLiteral("第二次比較混亂。"), QStringLiteral("這樣做下來，你會發現需要的工具其實不多。"),
        QStringLiteral("第二次比較共用。") };
    const auto furthest = [&talk](const VoiceSyncAligner &aligner) {
        return furthestChunkSaying(aligner, talk.mid(0, 2), 2, talk.at(7));
    };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    EXPECT_EQ(furthest(VoiceSyncAligner(chunks)), 8); // chunk 7 read to its end

    // Five characters, as an aside's stock words may end, are not enough so far on.
    talk[7] = QStringLiteral("第二次混亂。");
    const ScriptChunkIndex shorter(ScriptParser::parse(talk.join(QString())));
    EXPECT_LE(furthest(VoiceSyncAligner(shorter)), 2);
}

TEST(VoiceSyncShortChunk, TheShortChunkDueNextIsFoundOnAFewOfItsWordsInOrder)
{
    // Chunk 1 read to two characters short of its end; chunk 2 said as a run of its own with two
    // of its five characters misheard.
    const QStringList talk = { QStringLiteral("你記錄聯絡人新同事慢慢討論截圖和時間表。"),
        QStringLiteral("把步驟合併好還是統計新的簡報。"), QStringLiteral("這就是錄音。"),
        QStringLiteral("這套系統解決這個問題使用者也觀察重要的廣告。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const VoiceSyncPosition position { 1, 1, chunks.paragraph(2).globalReadableStart - 2, 0 };
    const auto chunkAfter = [&position](const VoiceSyncAligner &aligner, const QString &heard) {
        double now = 1;
        return speak(aligner, position, heard, now).position.currentParagraphIndex;
    };
    // The search alone. Compared whole, three of five characters are enough too, and the chunk
    // is finished through its last character misheard.
    EXPECT_EQ(chunkAfter(VoiceSyncAligner(chunks), QStringLiteral("有就是錄對")), 3);
    VoiceSyncAligner aligner(chunks);
    aligner.setShortTranscriptRule(std::nullopt);
    EXPECT_EQ(chunkAfter(aligner, QStringLiteral("有就是錄對")), 2);
    // Asked what any near chunk needs, the count stays on chunk 1 while he goes on.
    VoiceSyncAligner usual = aligner;
    RecoverySearch search;
    search.dueShortChunkShare = 1;
    search.minimumDueShortChunkLead = search.minimumLead;
    usual.setRecoverySearch(search);
    EXPECT_EQ(chunkAfter(usual, QStringLiteral("有就是錄對")), 1);
    // One of its words is not enough.
    EXPECT_EQ(chunkAfter(aligner, QStringLiteral("我們是好的")), 1);
}

TEST(VoiceSyncShortChunk, AShortTranscriptOpeningALongerChunkMarksReadOnlyWhatWasHeard)
{
    // On chunk 1, not yet begun, the presenter says five characters of an aside that open as
    // chunk 2 does. Compared whole they score high there, and the comparison window runs on to
    // that short chunk's end: the prompter would go to chunk 3, two ahead.
    const QStringList talk = { QStringLiteral("這就是問題。"), QStringLiteral("講到這裡回頭看看數字！"),
        QStringLiteral("第二步是安排合約。"), QStringLiteral("還是處理這個發票，很多公司真的建立客戶需求和意見？") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const VoiceSyncPosition position { 1, 1, chunks.paragraph(1).globalReadableStart, 0 };
    const VoiceSyncDecision decision
        = VoiceSyncAligner(chunks).handleVoiceSyncUpdate(QStringLiteral("第二步是主"), position, 1.0);
    ASSERT_TRUE(decision.match);
    EXPECT_EQ(decision.position.currentParagraphIndex, 2);
    // 第二步是 in order, and the character heard after it, perhaps misheard.
    EXPECT_EQ(decision.position.spokenReadableCharacterCount, chunks.paragraph(2).globalReadableStart + 5);
}

TEST(VoiceSyncShortChunk, AFewLettersEndingAnAsideAreNotAShortChunkHeardWhole)
{
    // Chunk 3 is "Thanks!", two on from the sentence being read.
    const QStringList talk = { QStringLiteral("Welcome to the launch of our new app."),
        QStringLiteral("It follows your voice while you speak."), QStringLiteral("Try it today."),
        QStringLiteral("Thanks!"), QStringLiteral("Questions are welcome after the demo.") };
    const ScriptChunkIndex chunks(ScriptParser::parse(lumetra::testing::scriptOfSentences(talk)));
    const VoiceSyncPosition position { 1, 1, chunks.paragraph(1).globalReadableStart, 0 };
    const QString aside = QStringLiteral("my old dog never says thanks");
    EXPECT_EQ(VoiceSyncAligner(chunks).handleVoiceSyncUpdate(aside, position, 1.0).position.currentParagraphIndex, 1);
}

TEST(HeardSpeech, RunsAreToldApartAndTheirEndsKept)
{
    HeardSpeech heard;
    for (const QString &partial : { QStringLiteral("今天"), QStringLiteral("今天想跟"), QStringLiteral("今天想跟大家") })
        heard = heard.after(partial);
    EXPECT_EQ(heard, (HeardSpeech { {}, QStringLiteral("今天想跟大家"), 6, 6 }));
    // A run's last words revised keep its opening: still the same run, and nothing more heard.
    heard = heard.after(QStringLiteral("今天想跟大"));
    EXPECT_EQ(heard, (HeardSpeech { {}, QStringLiteral("今天想跟大"), 6, 6 }));
    // A new run starts from nothing (an empty transcript, or its own first words).
    heard = heard.after(QString());
    EXPECT_EQ(heard, (HeardSpeech { QStringLiteral("今天想跟大"), {}, 6, 6 }));
    heard = heard.after(QStringLiteral("很多")).after(QStringLiteral("很多人一開始就急著找新的工具來解決問題"));
    heard = heard.after(QStringLiteral("第三"));
    EXPECT_EQ(heard.currentRun, QStringLiteral("第三"));
    EXPECT_EQ(heard.charactersSinceAdvance, 6 + 19 + 2); // each run's characters once
    // Only as much of the earlier runs as the alignment compares.
    EXPECT_EQ(heard.earlierRuns, QStringLiteral("今天想跟大很多人一開始就急著找新的工具來解決問題").right(32));
    EXPECT_EQ(heard.recent(), heard.earlierRuns + QStringLiteral("第三"));
    // A shorter transcript that opens differently is a new run even when long.
    const HeardSpeech restarted = HeardSpeech { {}, QStringLiteral("一二三四五六") }.after(QStringLiteral("七八九十一"));
    EXPECT_EQ(restarted, (HeardSpeech { QStringLiteral("一二三四五六"), QStringLiteral("七八九十一"), 5, 5 }));
}

TEST_F(VoiceSyncRecovery, AfterSecondsOfSpeechWithoutAMoveTheWindowNeedsLessEvidence)
{
    // From chunk 1 the presenter has gone on to chunk 5, the window's last, and is heard with a
    // slip: in order, but short of what a chunk that far needs while the position is fresh.
    const QString heard = QStringLiteral("接著看甲哪些步");
    VoiceSyncPosition position = at(1);
    EXPECT_FALSE(aligner.handleVoiceSyncUpdate(heard, position, 6.0).match);
    // After some five seconds of speech that moved nothing, he is elsewhere: the characters
    // heard count the speech, so partial results every half second (fewer updates) count the
    // same; as many characters within a second are a recogniser revising its words.
    position.heard.charactersSinceAdvance = RecoverySearch {}.charactersWhenLongLost - heard.size();
    EXPECT_FALSE(aligner.handleVoiceSyncUpdate(heard, position, 1.0).match);
    const VoiceSyncDecision decision = aligner.handleVoiceSyncUpdate(heard, position, 6.0);
    EXPECT_EQ(decision.position.currentParagraphIndex, 5);
    EXPECT_EQ(decision.position.spokenReadableCharacterCount, startOf(5) + 7);
    EXPECT_EQ(decision.position.heard.charactersSinceAdvance, 0);
    // One character fewer heard is not yet long enough.
    position.heard.charactersSinceAdvance -= 1;
    EXPECT_FALSE(aligner.handleVoiceSyncUpdate(heard, position, 6.0).match);
}

TEST_F(VoiceSyncRecovery, BeyondTheWindowWordsThatFitNowhereElseNeedLessWeight)
{
    // From chunk 1 the presenter leaves out eight sentences and reads the opening of chunk 10
    // with a slip: seven and a half ideographs net, short of the eight a chunk that far needs,
    // but they run through no other chunk.
    const QString lone = QStringLiteral("這樣做下來你甲發現");
    EXPECT_EQ(aligner.handleVoiceSyncUpdate(lone, at(1), 1.0).position.currentParagraphIndex, 10);
    const VoiceSyncAligner fullWeightOnly = withSearch(chunks, [](RecoverySearch &search) {
        search.minimumLoneAlignmentWeightBeyondWindow = search.minimumAlignmentWeightBeyondWindow;
    });
    EXPECT_EQ(fullWeightOnly.handleVoiceSyncUpdate(lone, at(1), 1.0).position.currentParagraphIndex, 1);

    // As much weight into chunk 11, but its words also run through chunk 4, which ends in the
    // same clause: that is not the lead of a presenter found, and the position stays.
    const QString sharedClause = QStringLiteral("做的事情寫下甲我們");
    EXPECT_EQ(aligner.handleVoiceSyncUpdate(sharedClause, at(1), 1.0).position.currentParagraphIndex, 1);
    const VoiceSyncAligner anyLead = withSearch(
        chunks, [](RecoverySearch &search) { search.minimumLoneLeadBeyondWindow = search.minimumLead; });
    EXPECT_EQ(anyLead.handleVoiceSyncUpdate(sharedClause, at(1), 1.0).position.currentParagraphIndex, 11);
}

TEST_F(VoiceSyncRecovery, TheChunkAfterALeftOutSentenceIsFoundOnLessEvidence)
{
    // At the start of chunk 5 the presenter leaves it out and reads chunk 6 with two characters
    // in five misheard: the move is too long for its score, and for a while the words in order
    // fall short of what a chunk further on needs.
    QString heard = ScriptParser::normalizedReadableText(sentences.at(6));
    for (qsizetype at = 0; at < heard.size(); ++at) {
        if (at % 5 == 1 || at % 5 == 3)
            heard[at] = QChar(static_cast<char16_t>(u'甲' + at));
    }
    // Found by its first twelve characters; on the evidence a chunk further on needs, only
    // after three more.
    heard.truncate(12);
    double now = 0;
    const Spoken spoken = speak(aligner, at(5), heard, now);
    EXPECT_EQ(spoken.position.currentParagraphIndex, 6);

    const VoiceSyncAligner farEvidenceOnly = withSearch(
        chunks, [](RecoverySearch &search) { search.minimumNearAlignmentWeight = search.minimumAlignmentWeight; });
    now = 0;
    EXPECT_EQ(speak(farEvidenceOnly, at(5), heard, now).position.currentParagraphIndex, 5);
}

TEST_F(VoiceSyncRecovery, AnAdLibOrAReReadSentenceNeverTriggersARecoveryJump)
{
    // At chunk 6, well past the updates that count as lost, the presenter adds sentences of the
    // talk's own words, or reads chunk 4 again, heard right or with errors. Its clause runs in
    // order through chunk 11 too, beyond the window, and so does most of the last aside: the
    // search must see that chunk 4 behind fits as well or better. Wherever the guard alone
    // leaves the position, the recovery search leaves it too.
    const VoiceSyncPosition position = at(6);
    const QStringList sayings = {
        QStringLiteral("我自己以前也是這樣，每個步驟都想找人幫忙。"),
        QStringLiteral("說真的，工具跟流程這兩件事，我以前也常常搞混，要定期回頭想一想。"),
        QStringLiteral("大家一定要記得把每天重複在做的事情。"),
        ScriptParser::normalizedReadableText(sentences.at(4)),
        misheard(sentences.at(4)),
    };
    const VoiceSyncAligner before = guardOnly();
    for (const QString &saying : sayings) {
        double now = 0;
        const Spoken spoken = speak(aligner, position, saying, now);
        now = 0;
        const Spoken guarded = speak(before, position, saying, now);
        EXPECT_EQ(spoken.position.spokenReadableCharacterCount, guarded.position.spokenReadableCharacterCount)
            << saying.toStdString();
        EXPECT_EQ(spoken.furthestChunk, guarded.furthestChunk) << saying.toStdString();
        EXPECT_LE(spoken.furthestChunk, 7) << saying.toStdString();
    }
}

TEST(InOrderAlignment, WeighsWordsInOrderNetOfSlips)
{
    const auto weight = [](const QString &needle, const QString &haystack) {
        return inOrderAlignmentWeight(alignmentCharacters(needle), alignmentCharacters(haystack), 4);
    };
    const QString chunk = QStringLiteral("最後再決定要用什麼工具把這些步驟串起來");
    EXPECT_EQ(weight(QStringLiteral("決定要用什麼工具"), chunk), 32);
    // A character heard wrong, one heard extra and one lost each take off half a character.
    EXPECT_EQ(weight(QStringLiteral("決定要的什麼工具"), chunk), 26);
    EXPECT_EQ(weight(QStringLiteral("決定要用了什麼工具"), chunk), 30);
    EXPECT_EQ(weight(QStringLiteral("決定要什麼工具"), chunk), 26);
    // Words out of order or scattered give only their longest run.
    EXPECT_EQ(weight(QStringLiteral("工具什麼要用決定"), chunk), 8);
    EXPECT_EQ(weight(QStringLiteral("step"), QStringLiteral("steps")), 4);
    EXPECT_EQ(weight(QStringLiteral("abc"), QString()), 0);
}

TEST(InOrderAlignment, AnAnchoredAlignmentBeginsOnlyWhereAReaderBegins)
{
    // Two sentences as one text; the second starts at 9.
    const AlignmentCharacters text = alignmentCharacters(QStringLiteral("統計臨時的產品設計都把關鍵的工具上傳好"));
    const std::vector<std::size_t> sentenceStarts = { 9 };
    const auto heaviest
        = [](const std::vector<double> &weights) { return *std::max_element(weights.begin(), weights.end()); };
    const auto weight = [&](const QString &heard, std::size_t slack) {
        return heaviest(latestAnchoredAlignmentWeights(alignmentCharacters(heard), text, sentenceStarts, slack, 4));
    };
    const auto unanchored = [&](const QString &heard) {
        return heaviest(latestInOrderAlignmentWeights(alignmentCharacters(heard), text, 4));
    };
    // Read from a sentence's start, with words heard before it: the whole weight.
    EXPECT_EQ(weight(QStringLiteral("我說都把關鍵的工具"), 2), unanchored(QStringLiteral("我說都把關鍵的工具")));
    // The first two characters misheard are within the slack; the sentence's own words count.
    EXPECT_EQ(weight(QStringLiteral("乙丙把關鍵的工具"), 2), 24);
    // Words running into the first sentence halfway, then on into the second: the first
    // sentence's opening, not heard, counts as slips (three characters past the slack).
    const QString aside = QStringLiteral("避開廣告和產品設計老闆就把關鍵的");
    EXPECT_EQ(unanchored(aside), 26);
    EXPECT_EQ(weight(aside, 2), 20);
    // As much slack as the text is long lets it begin anywhere again.
    EXPECT_EQ(weight(aside, text.size()), 26);
}

TEST(VoiceSyncStraddle, TheEndOfOneChunkAndTheStartOfTheNextDoNotCarryThePositionToAChunkHoldingBoth)
{
    // Chunk 2 holds every character of the end of chunk 0 and the opening of chunk 1, in the
    // other order, in a window a short transcript fits.
    const QStringList talk = {
        QStringLiteral("這個流程建立聯絡人和溝通方式。"),
        QStringLiteral("這套系統分享名單，你收集這個合約。"),
        QStringLiteral("講到這裡設計師把複雜的分類拆開好，這套系統比較交給溝通方式！"),
        QStringLiteral("設計師解決訊息和系統，比較重新想過分類。"),
    };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const VoiceSyncAligner aligner(chunks);
    const VoiceSyncPosition onChunk1 { 1, 1, chunks.paragraph(1).globalReadableStart, 0 };
    const QString heard = ScriptParser::normalizedReadableText(talk.at(0)) + QStringLiteral("這套系統");

    const VoiceSyncDecision straddling = aligner.handleVoiceSyncUpdate(heard, onChunk1, 0.2);
    EXPECT_LE(straddling.position.currentParagraphIndex, 1);

    // Chunk 2 read on is followed.
    const VoiceSyncDecision reading = aligner.handleVoiceSyncUpdate(
        ScriptParser::normalizedReadableText(talk.at(1) + talk.at(2)).left(26), straddling.position, 3.0);
    EXPECT_EQ(reading.position.currentParagraphIndex, 2);
}
TEST_F(VoiceSyncRecovery, ASentenceReReadFromFurtherBackAfterAPauseLeavesThePosition)
{
    // At the start of chunk 2, ten seconds on, the presenter reads chunk 0 again: chunk 0 is
    // behind the window, and weak matches ahead must not carry the count on in steady steps.
    double now = 10;
    const Spoken spoken = speak(aligner, at(2), ScriptParser::normalizedReadableText(sentences.at(0)), now);
    EXPECT_EQ(spoken.furthestChunk, 2);
    EXPECT_EQ(spoken.position.spokenReadableCharacterCount, startOf(2));
}

namespace {

// The furthest chunk reached when the presenter, at the start of chunk `chunk` after reading
// `heardBefore`, says `said` (a sentence re-read, then his own): with the search's rules, and with
// its own-lead rule turned off.
struct Furthest {
    std::int64_t withRules = 0;
    std::int64_t withoutOwnLead = 0;
};

Furthest furthestAfterAReRead(
    const QStringList &talk, std::int64_t chunk, double since, const QString &said, const QString &heardBefore)
{
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    EXPECT_EQ(chunks.count(), talk.size());
    const VoiceSyncPosition position { chunk, chunk, chunks.paragraph(chunk).globalReadableStart, since };
    const VoiceSyncAligner ownLeadIgnored
        = withSearch(chunks, [](RecoverySearch &search) { search.minimumOwnLeadOverReachedChunks = -1000; });
    double now = since + 1;
    const std::int64_t withRules = speak(VoiceSyncAligner(chunks), position, said, now, heardBefore).furthestChunk;
    now = since + 1;
    return { withRules, speak(ownLeadIgnored, position, said, now, heardBefore).furthestChunk };
}

} // namespace

TEST(VoiceSyncRepeatedPattern, AReReadSentenceOfAPatternAndTheNextOpeningDoNotCarryThePositionToALaterOne)
{
    // Chunk 1 read, the presenter re-reads chunk 0 and starts chunk 2 (這套系統…): the re-read runs
    // through chunk 8 with one character wrong, and 這套 on into chunk 9 (這套系統選擇了).
    const QStringList talk = { QStringLiteral("第二次比較少見。"), QStringLiteral("每個人準備了。"),
        QStringLiteral("這套系統重新想過快速的外掛選擇網站和專案進度。"),
        QStringLiteral("一定統計報告和評論大家把發票和會議紀錄簡化好。"), QStringLiteral("這就是預約。"),
        QStringLiteral("如果把工具和客戶需求歸檔好。"), QStringLiteral("主管已經統計這個標籤。"),
        QStringLiteral("什麼叫做設定完了？"), QStringLiteral("第三次比較少見。"), QStringLiteral("這套系統選擇了。"),
        QStringLiteral("客戶排序了。") };
    const Furthest furthest = furthestAfterAReRead(
        talk, 2, 4.2, QStringLiteral("第二次比較少見這套系統重新想過"), QStringLiteral("每個人準備了"));
    EXPECT_LE(furthest.withRules, 3);
    EXPECT_GE(furthest.withoutOwnLead, 9);
}

TEST(VoiceSyncRepeatedPattern, ASentenceReReadFromTwoBackDoesNotRunPastThePresentersChunk)
{
    // Chunk 5 read, the presenter re-reads chunk 4 and reads chunk 6: after 回頭看看完了 the
    // re-read runs on past chunk 6 into chunk 7, one character apart from it.
    const QStringList talk = { QStringLiteral("接著客戶還是說明臨時的合約。"), QStringLiteral("這就是設定檔。"),
        QStringLiteral("設定檔呢？"), QStringLiteral("新手常常討論目標把想法記錄好。"), QStringLiteral("第一次比較簡單。"),
        QStringLiteral("什麼叫做回頭看看完了？"), QStringLiteral("什麼叫做準備完了？"), QStringLiteral("第二次比較簡單。"),
        QStringLiteral("第二次比較少見。"), QStringLiteral("什麼叫做移除完了？"), QStringLiteral("通常常見嗎？") };
    const Furthest furthest = furthestAfterAReRead(
        talk, 6, 24.0, QStringLiteral("第一次比較簡單什麼叫做準備完了"), QStringLiteral("什麼叫做回頭看看完了"));
    EXPECT_LE(furthest.withRules, 7);
    EXPECT_GE(furthest.withoutOwnLead, 8);
}

TEST(VoiceSyncRepeatedPattern, AnAsideAfterASentenceOfThePatternDoesNotRunThroughALaterOneLeftOut)
{
    // The presenter, heard badly, reads chunks 0 and 1 and makes an aside ending in 昂贵的: aligned
    // through chunk 5, which repeats chunk 1's pattern, it runs on into chunk 6 (合併昂貴的問題).
    const QStringList talk = { QStringLiteral("這就是時間表。"), QStringLiteral("什麼叫做測試完了？"),
        QStringLiteral("因為老闆通常交給預約。"), QStringLiteral("我自己保留了。"), QStringLiteral("這就是網站。"),
        QStringLiteral("什麼叫做上傳完了？"), QStringLiteral("合併昂貴的問題。"), QStringLiteral("慢慢正式嗎？") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const QStringList read = { talk.at(0), QStringLiteral("什么叫做分试完了") };
    const QString aside = QStringLiteral("安排昂贵的发案");
    const VoiceSyncAligner heardBadly
        = withSearch(chunks, [](RecoverySearch &search) { search.hearingQualityForUnreadWordsOnly = 2; });
    EXPECT_LE(furthestChunkSaying(heardBadly, read, 2, aside), 3);
    const VoiceSyncAligner leftOutWordsAlwaysCount = withSearch(chunks, [](RecoverySearch &search) {
        search.hearingQualityForUnreadWordsOnly = 2;
        search.minimumLeadOfWordsReadOverLeftOutWords = 1000;
    });
    EXPECT_GE(furthestChunkSaying(leftOutWordsAlwaysCount, read, 2, aside), 6);

    // Chunks 2 to 4 left out and chunks 5 and 6 read with errors: the presenter is found.
    EXPECT_GE(furthestChunkSaying(heardBadly, read, 2, QStringLiteral("什么叫做上传完了合并昂贵的问题")), 6);
}
