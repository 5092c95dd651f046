#include "AlignerWithSearch.h"
#include "HeardTranscripts.h"
#include "ScriptParser.h"
#include "VoiceSyncAligner.h"

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::chunksOf;
using lumetra::testing::speak;
using lumetra::testing::withSearch;

TEST(VoiceSyncLongLost, AfterAPassageLeftOutChunksHeardHalfWrongFindThePresenterInTheEnd)
{
    // The count stands at the start of chunk 4 since 11.6 s. The presenter has left out chunks 4
    // to 6 and reads 7 to 10 in one recognition run, each with half its characters or more wrong.
    const QStringList talk = { QStringLiteral("這就是清單。"), QStringLiteral("就重複嗎？"),
        QStringLiteral("都常見嗎？"), QStringLiteral("但是我們馬上選擇紀錄這個流程還是統計基本的檔案。"),
        QStringLiteral("這個流程合併了。"), QStringLiteral("第三次比較個人。"), QStringLiteral("慢慢新嗎？"),
        QStringLiteral("第二次比較基本。"), QStringLiteral("其實我們一定上傳簡單的任務。"),
        QStringLiteral("首先業務比較比較資料表和紀錄。"), QStringLiteral("大家馬上選擇短期的發票。") };
    const ScriptChunkIndex chunks = chunksOf(talk);
    ASSERT_EQ(chunks.count(), talk.size());
    VoiceSyncPosition position { 4, 4, chunks.paragraph(4).globalReadableStart, 11.6 };
    position.heard = { QStringLiteral("還是統到有本的檔起"), QString() };
    const QString heard
        = QStringLiteral("沒說得比較同本沒實我們心法前主就簡里的說樣務首只業當務多的都有個資料麼和紀錄");

    double now = 12.4;
    EXPECT_GE(speak(VoiceSyncAligner(chunks), position, heard, now).position.currentParagraphIndex, 9);
    // … before the last character of chunk 9 is heard, on three and a half ideographs net.
    now = 12.4;
    EXPECT_GE(speak(VoiceSyncAligner(chunks), position, heard.chopped(1), now).position.currentParagraphIndex, 9);

    // Asking what the search asks after five seconds, he is not found before his run ends.
    now = 12.4;
    const VoiceSyncAligner longLostOnly
        = withSearch(chunks, [](RecoverySearch &search) { search.charactersWhenVeryLongLost = 1000; });
    EXPECT_EQ(speak(longLostOnly, position, heard, now).furthestChunk, 4);
}

TEST(VoiceSyncLongLost, APresenterPastTheSearchedChunksIsFoundOnceLongLost)
{
    // After chunk 0 the presenter left out two passages in quick succession: he reads chunk 15,
    // fourteen chunks on, where the search does not reach at first.
    QStringList talk = { QStringLiteral("今天想跟大家聊聊怎麼把工作流程整理清楚。") };
    for (int filler = 1; filler < 15; ++filler)
        talk.append(QStringLiteral("第%1段先略過。").arg(filler));
    talk.append(QStringLiteral("最後決定要用什麼工具把這些步驟串起來。"));
    talk.append(QStringLiteral("謝謝大家。"));
    const ScriptChunkIndex chunks = chunksOf(talk);
    ASSERT_EQ(chunks.count(), talk.size());
    const QString heard = QStringLiteral("最後決定要用什麼工具把這些步驟");
    VoiceSyncPosition position { 1, 1, chunks.paragraph(1).globalReadableStart, 0 };

    // Fresh, or not yet long lost: past the searched chunks, nothing moves.
    const VoiceSyncAligner aligner(chunks);
    EXPECT_FALSE(aligner.handleVoiceSyncUpdate(heard, position, 1.0).match);
    position.heard.charactersSinceAdvance = RecoverySearch {}.charactersWhenLongLost;
    EXPECT_FALSE(aligner.handleVoiceSyncUpdate(heard, position, 1.0).match);

    const VoiceSyncDecision found = aligner.handleVoiceSyncUpdate(heard, position, 6.0);
    EXPECT_EQ(found.position.currentParagraphIndex, 15);
    EXPECT_EQ(found.position.spokenReadableCharacterCount, chunks.paragraph(15).globalReadableStart + heard.size());

    // A few words of it, in order, are not enough that far.
    EXPECT_FALSE(aligner.handleVoiceSyncUpdate(heard.left(8), position, 6.0).match);

    const VoiceSyncAligner searchKeptNear = withSearch(
        chunks, [](RecoverySearch &search) { search.chunksSearchedAheadWhenLongLost = search.chunksSearchedAhead; });
    EXPECT_FALSE(searchKeptNear.handleVoiceSyncUpdate(heard, position, 6.0).match);
}

TEST(VoiceSyncLongLost, ALongAsideDoesNotCarryTheCountToAChunkSharingItsStockPhrases)
{
    // The presenter reads chunk 1, then makes an aside long enough that he looks long lost. Its
    // end (…慢慢收集照片和腳本) runs in order through chunk 5's stock phrases (老闆慢慢歸檔照片和腳本).
    const QStringList talk = { QStringLiteral("其實測試聯絡人，設計師通常調整供應商。"),
        QStringLiteral("一定寄出這個時間表，大家常常確認快速的網站。"),
        QStringLiteral("回頭看看清單和訊息，這套系統確認溝通方式。"), QStringLiteral("反過來說新手簡化郵件和簡報。"),
        QStringLiteral("小團隊都把提示詞和草稿說明好？"), QStringLiteral("老闆慢慢歸檔照片和腳本，每個人觀察數字。"),
        QStringLiteral("第三次比較舊。"), QStringLiteral("這套系統慢慢排序提示詞？") };
    const ScriptChunkIndex chunks = chunksOf(talk);
    ASSERT_EQ(chunks.count(), talk.size());
    const QString chunkOne = ScriptParser::normalizedReadableText(talk.at(1));
    const auto afterAside = [&](const VoiceSyncAligner &aligner) {
        double now = 0;
        const VoiceSyncPosition start { 1, 1, chunks.paragraph(1).globalReadableStart, now };
        lumetra::testing::Spoken spoken = speak(aligner, start, chunkOne, now);
        EXPECT_EQ(spoken.position.spokenReadableCharacterCount, chunks.paragraph(2).globalReadableStart);
        spoken = speak(aligner, spoken.position, QStringLiteral("這時候團隊還常把零散的外掛簡化"), now, chunkOne);
        const std::int64_t furthest = spoken.furthestChunk;
        spoken = speak(aligner, spoken.position, QStringLiteral("好這個流程慢慢收集照片和腳本"), now);
        spoken.furthestChunk = std::max(spoken.furthestChunk, furthest);
        return std::pair { spoken, now };
    };

    const VoiceSyncAligner aligner(chunks);
    auto [spoken, now] = afterAside(aligner);
    EXPECT_EQ(spoken.furthestChunk, 2);
    // The presenter reading chunk 2 is followed.
    EXPECT_EQ(speak(aligner, spoken.position, talk.at(2), now).position.currentParagraphIndex, 3);

    // Aligning only as many of the latest words as before he looked lost, the aside carries it on.
    const VoiceSyncAligner latestAsBefore = withSearch(
        chunks, [](RecoverySearch &search) { search.latestCharactersWhenLongLost = search.latestCharacters; });
    EXPECT_EQ(afterAside(latestAsBefore).first.furthestChunk, 5);
}

TEST(VoiceSyncLongLost, APresenterHeardBadlyAfterTwoSentencesLeftOutIsFoundOnSeventeenCharacters)
{
    // Found last re-reading chunk 0, the presenter left out chunks 2 and 3 and read chunk 4 with
    // most of it misheard; its last words stepped the count to chunk 3. He now reads chunk 5.
    const QStringList talk = { QStringLiteral("新手馬上記錄內部的字幕。"), QStringLiteral("團隊規劃發票。"),
        QStringLiteral("新同事學會這個備份，我自己討論每週的工作流程？"), QStringLiteral("都重新想過排程。"),
        QStringLiteral("工程師都記錄圖表！"), QStringLiteral("團隊一定合併產品設計。"),
        QStringLiteral("另外再測試麻煩的考試，很多公司把客戶需求選擇好。"),
        QStringLiteral("也處理系統，主管避開工具。") };
    const ScriptChunkIndex chunks = chunksOf(talk);
    ASSERT_EQ(chunks.count(), talk.size());
    VoiceSyncPosition position { 3, 3, chunks.paragraph(3).globalReadableStart, 0 };
    position.countBeforeStep = chunks.paragraph(2).globalReadableStart;
    position.heard = { QStringLiteral("團隊規劃發麼你手家那記錄內部行的字幕如程其師都定錄圖面"), QString(), 9 };
    const QString chunkFiveHeard = QStringLiteral("看沒一會家併產品");

    double now = 6.7;
    EXPECT_EQ(speak(VoiceSyncAligner(chunks), position, chunkFiveHeard, now).position.currentParagraphIndex, 5);

    // Asking for twenty characters, he is not found before his run ends.
    now = 6.7;
    const VoiceSyncAligner twentyCharacters
        = withSearch(chunks, [](RecoverySearch &search) { search.charactersWhenLongLost = 20; });
    EXPECT_EQ(speak(twentyCharacters, position, chunkFiveHeard, now).furthestChunk, 3);
}
