#include "AlignerWithSearch.h"
#include "HeardTranscripts.h"
#include "ScriptParser.h"
#include "VoiceSyncAligner.h"
#include "WorkflowTalk.h"

#include <gtest/gtest.h>

#include <limits>

using namespace lumetra;
using lumetra::testing::hear;
using lumetra::testing::speak;
using lumetra::testing::Spoken;
using lumetra::testing::withSearch;

namespace {

const QStringList &talk = lumetra::testing::workflowTalk();

class VoiceSyncStep : public ::testing::Test {
protected:
    VoiceSyncStep()
        : chunks(ScriptParser::parse(talk.join(QString())))
        , aligner(chunks)
        , withoutSteps(withSearch(
              chunks, [](RecoverySearch &search) { search.minimumStepWeight = std::numeric_limits<double>::max(); }))
    {
    }
    void SetUp() override { ASSERT_EQ(chunks.count(), talk.size()); }

    std::int64_t startOf(std::int64_t chunk) const { return chunks.paragraph(chunk).globalReadableStart; }
    VoiceSyncPosition at(std::int64_t chunk) const { return { chunk, chunk, startOf(chunk), 0 }; }

    // How many characters of `saying`, said from `from`, first show chunk `shown` or beyond.
    static qsizetype charactersToShow(
        const VoiceSyncAligner &reader, VoiceSyncPosition from, const QString &saying, std::int64_t shown)
    {
        for (qsizetype length = 1; length <= saying.size(); ++length) {
            double now = 1;
            if (speak(reader, from, saying.left(length), now).furthestChunk >= shown)
                return length;
        }
        return saying.size() + 1;
    }

    ScriptChunkIndex chunks;
    VoiceSyncAligner aligner;
    VoiceSyncAligner withoutSteps;
};

} // namespace

TEST_F(VoiceSyncStep, APresenterWhoLeftOutTwoSentencesIsShownWithinOneChunkBeforeHeIsFound)
{
    // At the start of chunk 2 the presenter leaves out chunks 2 and 3 and reads chunk 4 with a
    // slip: its first words point there before they weigh what a move past two sentences needs,
    // and the count steps to chunk 3, next to him.
    const QString heard = QStringLiteral("所以第甲步是先把每天");
    const qsizetype stepped = charactersToShow(aligner, at(2), heard, 3);
    const qsizetype found = charactersToShow(aligner, at(2), heard, 4);
    EXPECT_LT(stepped, found);
    EXPECT_LE(found, heard.size());
    double now = 1;
    const Spoken step = speak(aligner, at(2), heard.left(stepped), now);
    EXPECT_EQ(step.position.spokenReadableCharacterCount, startOf(3));
    // Without the step the prompter shows chunk 2 until it moves to him.
    EXPECT_EQ(charactersToShow(withoutSteps, at(2), heard, 3), found);
}

TEST_F(VoiceSyncStep, AStepOnAnAsidesWordsCarriesThePositionNoFurther)
{
    // At the start of chunk 3 the presenter makes an aside ending as chunk 5 opens, then one
    // ending as chunk 6 opens, then reads chunks 3 and 4. The first steps the count to chunk 4;
    // weighed from there, the second would carry it on, two chunks ahead of him.
    double now = 1;
    Spoken spoken = speak(aligner, at(3), QStringLiteral("我說接著看"), now);
    ASSERT_EQ(spoken.position.currentParagraphIndex, 4);
    spoken = speak(aligner, spoken.position, QStringLiteral("我說第二步是替"), now);
    EXPECT_EQ(spoken.furthestChunk, 4);
    spoken = speak(aligner, spoken.position, talk.at(3), now);
    EXPECT_EQ(spoken.furthestChunk, 4);
    spoken = speak(aligner, spoken.position, talk.at(4), now);
    EXPECT_EQ(spoken.position.spokenReadableCharacterCount, startOf(5));
}

TEST_F(VoiceSyncStep, APresenterWhoLeftOutASentenceIsShownTheShortOneHeReadsGarbled)
{
    // At the start of chunk 1 the presenter leaves it out and reads the short chunk 2 with two of
    // its seven characters misheard: too few words in order to move past a sentence left out, and
    // the sentence is over before more are heard.
    const QString heard = QStringLiteral("第甲次比乙有趣");
    double now = 1;
    EXPECT_EQ(speak(aligner, at(1), heard, now).position.spokenReadableCharacterCount, startOf(2));
    now = 1;
    EXPECT_EQ(speak(withoutSteps, at(1), heard, now).position.spokenReadableCharacterCount, startOf(1));
}

TEST(VoiceSyncStepOverReachedChunks, WordsAChunkAlreadyReachedHoldsAsWellTakeNoStep)
{
    // A re-read sentence of the script's pattern (第四次比較手動) carried the count through chunk 2
    // (第二次比較便宜) to the short chunk 3, which is due; the presenter then reads chunk 2. Its
    // opening runs on into 第一次比較簡單, the short chunk after the one due, as far as a step
    // needs, but chunk 2, already reached, holds the latest words better.
    const QStringList talk = { QStringLiteral("第四次比較手動。"),
        QStringLiteral("第三步是大家確認簡報業務真的說明課程和合約。"), QStringLiteral("第二次比較便宜。"),
        QStringLiteral("團隊記錄了。"), QStringLiteral("第一次比較簡單。"), QStringLiteral("第三次比較清楚。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const VoiceSyncPosition dueShortChunk { 3, 3, chunks.paragraph(3).globalReadableStart, 0 };
    const QString heardBefore = QStringLiteral("說明課程和合約第四次比較手動");
    double now = 1;
    EXPECT_EQ(
        speak(VoiceSyncAligner(chunks), dueShortChunk, QStringLiteral("第二次比較"), now, heardBefore).furthestChunk,
        3);
}

TEST(VoiceSyncStepInsteadOfMove, APresenterWhoLeftOutASentenceIsSteppedTowardOnWordsTooGarbledForAMove)
{
    // Chunks 0 to 4 read with slips, as a recogniser heard them. The presenter then leaves out
    // chunk 5, reads chunk 6 garbled (its 第 moves the count a character into chunk 5) and the
    // short chunk 7 heard as one result, 先的重於嗎: a move past the sentence left out is refused on
    // so few words heard right, but the step shows chunk 6, next to him.
    const QStringList talk = { QStringLiteral("已經統計客戶需求。"),
        QStringLiteral("再統計昂貴的筆記，我的朋友還是處理這個考試？"), QStringLiteral("這個流程設定名單？"),
        QStringLiteral("說真的老闆設定正式的客戶需求。"), QStringLiteral("我們討論這個分類，業務先移除問題？"),
        QStringLiteral("第一步是這個流程常常更新短期的任務。"), QStringLiteral("第五次比較關鍵。"),
        QStringLiteral("先重複嗎？"), QStringLiteral("規劃舊的圖表，使用者分享簡單的意見。"),
        QStringLiteral("第二次比較混亂。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const VoiceSyncAligner aligner(chunks);
    double now = 1;
    Spoken spoken { VoiceSyncPosition { 0, 0, 0, now }, 0 };
    for (const QString &run : { QStringLiteral("已經統只客戶需說"),
             QStringLiteral("再統計家昂的筆記我的朋友還處理是個考試這個流程設定名單說真的老闆設定正出的客戶需求"),
             QStringLiteral("我們討天這個分類業務先移除題") })
        spoken = speak(aligner, spoken.position, run, now);
    ASSERT_EQ(spoken.position.currentParagraphIndex, 5);
    spoken = hear(aligner, spoken.position,
        { QStringLiteral("第"), QStringLiteral("第會"), QStringLiteral("第會次"), QStringLiteral("第會次行較關鍵") },
        now, 0.3);
    ASSERT_EQ(spoken.position.currentParagraphIndex, 5);

    spoken = hear(aligner, spoken.position, { QStringLiteral("先的重於嗎") }, now, 1.5);
    EXPECT_EQ(spoken.position.currentParagraphIndex, 6);
    EXPECT_EQ(spoken.position.countBeforeStep, chunks.paragraph(5).globalReadableStart + 1);

    spoken = speak(aligner, spoken.position, QStringLiteral("規劃舊的圖表"), now);
    EXPECT_EQ(spoken.position.currentParagraphIndex, 8);
}

TEST(VoiceSyncStepFromASentenceStart, AnAsideRunningFromTheMiddleOfOneChunkIntoTheNextTakesNoStep)
{
    // Read word for word, chunks 0 to 2; then, in the same run, an aside whose 團隊…準備 carries
    // the count through the short chunk 3 due, while the presenter has yet to read it. Its next
    // words 這個…供應商 run in order from the middle of chunk 5 into the middle of chunk 6, as far
    // as a step toward chunk 6 needs. The prompter may show chunk 4, one ahead of him, not 5.
    const QStringList talk = { QStringLiteral("老闆比較調整零散的檔案。"), QStringLiteral("每個人還是重新想過行事曆！"),
        QStringLiteral("把紀錄學會好，寫下提示詞。"), QStringLiteral("團隊準備了？"),
        QStringLiteral("團隊馬上把庫存和圖表安排好。"), QStringLiteral("已經處理這個檔案，這套系統也統計產品設計。"),
        QStringLiteral("大家慢慢分享混亂的供應商，我自己比較安排預約和照片。"),
        QStringLiteral("很多公司把平台和報告交給好。"), QStringLiteral("這就是發票？") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const auto aside = [&](const VoiceSyncAligner &aligner) {
        double now = 1;
        Spoken spoken { VoiceSyncPosition { 0, 0, 0, now }, 0 };
        spoken = speak(aligner, spoken.position, QStringLiteral("老闆比較調整零散的檔案"), now);
        spoken = speak(aligner, spoken.position, QStringLiteral("每個人還是重新想過行事曆"), now);
        const QString chunkTwo = QStringLiteral("把紀錄學會好寫下提示詞");
        spoken = speak(aligner, spoken.position, chunkTwo, now);
        return speak(aligner, spoken.position, QStringLiteral("小團隊一定準備這個供應商整理這個名單"), now, chunkTwo);
    };
    EXPECT_EQ(aside(VoiceSyncAligner(chunks)).furthestChunk, 4);
    // Heard badly, the presenter's opening words are as often lost, and the step is not asked so.
    const VoiceSyncAligner heardBadly
        = withSearch(chunks, [](RecoverySearch &search) { search.hearingQualityForUnreadWordsOnly = 2; });
    EXPECT_EQ(aside(heardBadly).furthestChunk, 5);
}
