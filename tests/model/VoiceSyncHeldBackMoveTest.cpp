#include "AlignerWithSearch.h"
#include "HeardTranscripts.h"
#include "ModelTestSupport.h"
#include "PrompterViewModel.h"
#include "ScriptParser.h"
#include "ScriptedVoiceSyncEngine.h"
#include "VoiceSyncAligner.h"

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::hear;
using lumetra::testing::speak;
using lumetra::testing::Spoken;
using lumetra::testing::withSearch;

namespace {

const QStringList talk = { QStringLiteral("這個流程避開紀錄？"), QStringLiteral("舉例來說馬上寫下行事曆。"),
    QStringLiteral("新同事慢慢檢查關鍵的聯絡人。"), QStringLiteral("最後把簡單的圖表避開好。"),
    QStringLiteral("我們先解決紀錄，客戶避開考試。"), QStringLiteral("換句話說每個人就規劃這個錄音。"),
    QStringLiteral("然後真的收集資料夾，老闆調整供應商。"),
    QStringLiteral("這個流程真的學會排程和產品設計，很多公司通常把簡單的溝通方式更新好。"),
    QStringLiteral("設計師一定寄出零散的版本，我們慢慢比較問題和外掛。") };

// Chunks 0 to 4 as heard, with a few characters wrong, the last two in one recognition run.
const QStringList chunksZeroToFourHeard = { QStringLiteral("這個流程避開紀錄"),
    QStringLiteral("舉例來說馬上寫要行事曆"), QStringLiteral("新同事慢慢檢查關鍵的聯絡人"),
    QStringLiteral("最她把簡單的圖表避開好動們先解決紀開客戶避開考試") };

// Words that run in order through the opening of chunk 7, two sentences after the one due.
const QString openingOfChunkSeven = QStringLiteral("這個流程已經學會");

class VoiceSyncHeldBackMove : public ::testing::Test {
protected:
    VoiceSyncHeldBackMove()
        : chunks(ScriptParser::parse(talk.join(QString())))
        , aligner(chunks)
        , neverHeldBack(
              withSearch(chunks, [](RecoverySearch &search) { search.minimumHearingQualityToHoldBackMoves = 2; }))
    {
    }
    void SetUp() override { ASSERT_EQ(chunks.count(), talk.size()); }

    Spoken afterChunkFour(const VoiceSyncAligner &used)
    {
        Spoken spoken { { 0, 0, 0, now } };
        for (const QString &run : chunksZeroToFourHeard)
            spoken = speak(used, spoken.position, run, now);
        return spoken;
    }

    ScriptChunkIndex chunks;
    VoiceSyncAligner aligner;
    VoiceSyncAligner neverHeldBack;
    double now = 0;
};

} // namespace

TEST_F(VoiceSyncHeldBackMove, AnAsideOpeningAsASentenceTwoOnDoesNotCarryTheCountThere)
{
    Spoken spoken = afterChunkFour(aligner);
    ASSERT_EQ(spoken.position.spokenReadableCharacterCount, chunks.paragraph(5).globalReadableStart);
    const QString aside = openingOfChunkSeven + QStringLiteral("後音和系統");
    spoken = speak(aligner, spoken.position, aside, now);
    // Stepped toward chunk 7 at most: one ahead of the presenter.
    EXPECT_EQ(spoken.furthestChunk, 6);
    // He reads on from chunk 5 and is followed from chunk 6.
    spoken = speak(aligner, spoken.position, talk.at(5), now);
    spoken = speak(aligner, spoken.position, talk.at(6), now);
    EXPECT_EQ(spoken.position.spokenReadableCharacterCount, chunks.paragraph(7).globalReadableStart);

    // Moved on the aside's opening words, the count runs two sentences ahead of him.
    now = 0;
    spoken = afterChunkFour(neverHeldBack);
    EXPECT_EQ(speak(neverHeldBack, spoken.position, aside, now).furthestChunk, 7);
}

TEST_F(VoiceSyncHeldBackMove, APresenterWhoLeftOutTwoSentencesIsFoundAsHisWordsRunOn)
{
    // The presenter's own words after the same opening run on through chunk 7: 排程, heard as
    // 拍程, adds too little weight of its own for the move, but runs on past where it was held.
    const Spoken read = afterChunkFour(aligner);
    double at = now;
    EXPECT_EQ(speak(aligner, read.position, openingOfChunkSeven, at).furthestChunk, 6);
    at = now;
    const Spoken found = speak(aligner, read.position, openingOfChunkSeven + QStringLiteral("拍程"), at);
    EXPECT_EQ(found.position.currentParagraphIndex, 7);
    EXPECT_EQ(found.position.spokenReadableCharacterCount, chunks.paragraph(7).globalReadableStart + 10);
}

TEST(VoiceSyncHeldBackMoveInTheModel, TheMoveHeldBackIsCarriedToTheNextUpdate)
{
    lumetra::testing::clearStoredSettings();
    // Declared before the model, which may still stop the engine when it goes.
    QStringList log;
    lumetra::testing::ScriptedVoiceSyncEngine *engine = nullptr;
    PrompterViewModel model(talk.join(QLatin1Char('\n')), lumetra::testing::idleRecordingEngine());
    model.setVoiceSyncEngineFactory([&](QObject *parent) {
        engine = new lumetra::testing::ScriptedVoiceSyncEngine(&log, parent);
        return engine;
    });
    model.startVoiceSync();
    engine->finishStart();
    const auto sayGrowing = [&](const QString &words) {
        engine->say(QString());
        for (qsizetype length = 1; length <= words.size(); ++length)
            engine->say(words.left(length));
    };
    for (const QString &run : chunksZeroToFourHeard)
        sayGrowing(run);
    ASSERT_EQ(model.voiceSyncParagraphIndex(), 5);
    // 排程 heard as 拍程: the words run on, with too little weight of their own for the move.
    sayGrowing(openingOfChunkSeven + QStringLiteral("拍程"));
    EXPECT_EQ(model.voiceSyncParagraphIndex(), 7);
}

namespace {

// A talk read from its first chunk, with the rules as they are.
class VoiceSyncHeldBackMoveOnNewWords : public ::testing::Test {
protected:
    void open(const QStringList &script)
    {
        aligner.setChunks(ScriptChunkIndex(ScriptParser::parse(script.join(QString()))));
        ASSERT_EQ(aligner.chunks().count(), script.size());
    }

    VoiceSyncAligner aligner;
    double now = 0;
    Spoken spoken { { 0, 0, 0, 0 } };
};

} // namespace

TEST_F(VoiceSyncHeldBackMoveOnNewWords, WordsThatMovedTheCountDoNotCarryAnAsideOnFromIt)
{
    const QStringList script = { QStringLiteral("第二步是比較合併庫存，客戶比較分類待辦清單？"),
        QStringLiteral("講到這裡客戶比較重新想過成果。"),
        QStringLiteral("業務也把交接文件測試好，新同事安排這個步驟？"), QStringLiteral("什麼叫做分享完了？"),
        QStringLiteral("所以新同事真的把這個素材設定好。"),
        QStringLiteral("反過來說小團隊已經觀察產品設計和評論，這個流程馬上選擇回饋。"),
        QStringLiteral("我們檢查複雜的節奏，這套系統通常處理這個想法。") };
    open(script);
    for (qsizetype index = 0; index < 3; ++index)
        spoken = speak(aligner, spoken.position, script.at(index), now);
    ASSERT_EQ(spoken.position.currentParagraphIndex, 3);
    // 新同事…這個, just read, runs on through chunk 4 into an aside opening as chunk 5 does.
    spoken = speak(aligner, spoken.position, QStringLiteral("反過來說團隊慢慢準備排程"), now);
    EXPECT_LE(spoken.furthestChunk, 4);
    for (qsizetype index = 3; index < 6; ++index)
        spoken = speak(aligner, spoken.position, script.at(index), now);
    EXPECT_EQ(spoken.position.currentParagraphIndex, 6);
}

TEST_F(VoiceSyncHeldBackMoveOnNewWords, AMoveHeldBackIsTakenWhenNothingElseFindsThePresenter)
{
    const QStringList script = { QStringLiteral("我們都移除評論和表單，小團隊處理基本的庫存。"),
        QStringLiteral("講到這裡這套系統都交給報告和系統。"),
        QStringLiteral("第一步是你馬上移除回饋和圖表，還是回頭看看想法！"), QStringLiteral("還是把少見的發票規劃好。"),
        QStringLiteral("什麼叫做建立完了？"), QStringLiteral("大家比較了。"),
        QStringLiteral("另外我的朋友再把資料夾統計好，這套系統也記錄複雜的名單！"), QStringLiteral("大家討論了。"),
        QStringLiteral("專案進度呢？"), QStringLiteral("再來這個流程統計行事曆，我們確認這個想法。") };
    open(script);
    // Chunks 0 to 2, each a recognition run, heard with two characters in five wrong.
    for (const QString &run : { QStringLiteral("我這的移除分論動多單樣現隊處理本的庫存"),
             QStringLiteral("行講到這裡這年就都交給報動告和中統"),
             QStringLiteral("第一步之方馬出移除回饋去圖表還是回頭看看想法") })
        spoken = speak(aligner, spoken.position, run, now);
    ASSERT_EQ(spoken.position.currentParagraphIndex, 3);
    // He reads chunks 3 to 7 in one run, its partial results half a second apart. Chunk 6's
    // opening (另外我之大友) weighs too little to be taken at once, and nothing he says after it
    // runs on from it or finds him elsewhere.
    QStringList partials;
    QString heard;
    for (const QString &words :
        QStringLiteral("好 經 但建 為完 去 當當 比成 了 另外 我之 大友 再這 還大 心後 計 上套就 "
                       "動也 記 種雜 用名 因 理 把專 案進 心度簡化開")
            .split(QLatin1Char(' ')))
        partials.append(heard += words);
    spoken = hear(aligner, spoken.position, partials, now, 0.5);
    EXPECT_GE(spoken.position.currentParagraphIndex, 6);
    EXPECT_LE(spoken.furthestChunk, 8);
}

TEST_F(VoiceSyncHeldBackMoveOnNewWords, AWordMovingTheCountWithinItsSentenceLeavesTheWordsHeardSinceTheLastOne)
{
    const QStringList script = { QStringLiteral("工程師確認會議紀錄和工具，小團隊交給作業。"),
        QStringLiteral("分享正式的貨運，業務檢查長期的問題？"),
        QStringLiteral("但是這套系統常常收集這個意見，已經上傳行事曆！"),
        QStringLiteral("設計師記錄收據和排程，確認資料夾和照片。"), QStringLiteral("這就是版本。"),
        QStringLiteral("團隊排序自動的會議紀錄，大家記錄混亂的考試！"),
        QStringLiteral("業務規劃這個行事曆，合併便宜的成果！"), QStringLiteral("老闆常常觀察這個素材，大家追蹤截圖。"),
        QStringLiteral("保留共用的工具。"), QStringLiteral("如果主管也歸檔分類，處理臨時的發票。") };
    open(script);
    spoken = speak(aligner, spoken.position, QStringLiteral("工程师确认会议纪录和工具小事队交给作业"), now);
    ASSERT_EQ(spoken.position.currentParagraphIndex, 1);
    // Chunks 2 to 6 left out, heard in one recognition run with chunk 1: 常常 of chunk 7's opening
    // moves the count a little into chunk 2, which has it too.
    spoken = speak(aligner, spoken.position, QStringLiteral("分享正式的小运业务样查长期的问题老板常常观开事素"), now);
    ASSERT_EQ(spoken.position.currentParagraphIndex, 2);
    spoken = speak(aligner, spoken.position, QStringLiteral("材从家追踪在图留分用"), now);
    EXPECT_GE(spoken.position.currentParagraphIndex, 7);
}
