#include "AlignerWithSearch.h"
#include "HeardTranscripts.h"
#include "ModelTestSupport.h"
#include "PrompterViewModel.h"
#include "ScriptParser.h"
#include "ScriptedVoiceSyncEngine.h"
#include "VoiceSyncAligner.h"

#include <gtest/gtest.h>

using namespace lumetra;
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

TEST(VoiceSyncHeldBackMoveOnNewWords, WordsThatMovedTheCountDoNotCarryAnAsideOnFromIt)
{
    const QStringList script = { QStringLiteral("第二步是比較合併庫存，客戶比較分類待辦清單？"),
        QStringLiteral("講到這裡客戶比較重新想過成果。"),
        QStringLiteral("業務也把交接文件測試好，新同事安排這個步驟？"), QStringLiteral("什麼叫做分享完了？"),
        QStringLiteral("所以新同事真的把這個素材設定好。"),
        QStringLiteral("反過來說小團隊已經觀察產品設計和評論，這個流程馬上選擇回饋。"),
        QStringLiteral("我們檢查複雜的節奏，這套系統通常處理這個想法。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(script.join(QString())));
    ASSERT_EQ(chunks.count(), script.size());
    const VoiceSyncAligner aligner(chunks);
    double now = 0;
    Spoken spoken { { 0, 0, 0, now } };
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
