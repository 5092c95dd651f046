#include "HeardTranscripts.h"
#include "ScriptParser.h"
#include "VoiceSyncAligner.h"

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::speak;

namespace {

// Chunk 1 read; the presenter's next chunk is 2. Chunk 3 shares stock words (新同事, 排序, 的網站)
// with an aside he might add.
const QStringList talk
    = { QStringLiteral("也上傳關鍵的圖表！"), QStringLiteral("很多公司就把零散的標籤避開好，新手慢慢把紀錄解決好。"),
          QStringLiteral("就討論這個密碼，新同事真的學會系統。"), QStringLiteral("老闆排序共用的網站！"),
          QStringLiteral("什麼叫做拆開完了？"), QStringLiteral("學會草稿，客戶常常把照片選擇好？") };

class VoiceSyncHearingQuality : public ::testing::Test {
protected:
    VoiceSyncHearingQuality()
        : chunks(ScriptParser::parse(talk.join(QString())))
    {
    }
    void SetUp() override { ASSERT_EQ(chunks.count(), talk.size()); }

    // At the start of chunk 2, with chunks 0 and 1 heard as `earlier` in the runs before.
    VoiceSyncPosition afterChunkOne(const QString &earlier) const
    {
        VoiceSyncPosition position { 2, 2, chunks.paragraph(2).globalReadableStart, 0 };
        position.heard = { earlier.right(32), QString() };
        return position;
    }

    QString readable(qsizetype chunk) const { return ScriptParser::normalizedReadableText(talk.at(chunk)); }

    ScriptChunkIndex chunks;
};

TEST_F(VoiceSyncHearingQuality, AnAsideInStockWordsIsNotFollowedIntoTheChunkAfterTheNextWhenHearingIsGood)
{
    const VoiceSyncPosition position = afterChunkOne(readable(0) + readable(1));
    const QString aside = QStringLiteral("新同事排序便宜的網站");

    double now = 1.0;
    EXPECT_EQ(speak(VoiceSyncAligner(chunks), position, aside, now).furthestChunk, 2);

    // 新同事 marks chunk 2 begun, and without the rule 排序…的網站 then carries the count through chunk 3.
    VoiceSyncAligner withoutRule(chunks);
    withoutRule.setHearingQualityRule(std::nullopt);
    now = 1.0;
    EXPECT_EQ(speak(withoutRule, position, aside, now).furthestChunk, 4);

    // Chunk 2 left out and chunk 3 read as he reads: he is followed there.
    now = 1.0;
    EXPECT_EQ(speak(VoiceSyncAligner(chunks), position, readable(3), now).furthestChunk, 4);
}

TEST_F(VoiceSyncHearingQuality, AnAsidesFirstWordsMarkNothingReadWhileThePresenterIsHeardWithSlips)
{
    // Chunks 0 and 1 as a recogniser heard them with a few slips: the history holds less of the
    // script, so the rule asks less of the aside's 排序…的網站 over chunk 3, and only the check of
    // 新同事 (ten characters of chunk 2 marked read on three) keeps it from carrying the count there.
    const VoiceSyncPosition position
        = afterChunkOne(QStringLiteral("也上傳關鍵的圖人表很如公司就把零散的麼籤避開好新手還慢把時天解決好"));
    double now = 1.0;
    const VoiceSyncAligner aligner(chunks);
    lumetra::testing::Spoken spoken
        = speak(aligner, position, QStringLiteral("新同事排序便宜的網站使用者比過快速的成據"), now);
    EXPECT_EQ(spoken.furthestChunk, 2);
    EXPECT_EQ(spoken.position.spokenReadableCharacterCount, chunks.paragraph(2).globalReadableStart);

    spoken = speak(aligner, spoken.position, readable(2), now);
    EXPECT_EQ(spoken.position.currentParagraphIndex, 3);
}

TEST_F(VoiceSyncHearingQuality, APresenterHeardWithManyErrorsIsFollowedOnWhatFewWordsAreHeardRight)
{
    // Every other character of the history and of chunk 2 heard wrong: the history holds about as
    // little of the script as the reading holds of chunk 2, so the rule asks for little.
    const auto misheard = [](QString text) {
        static const QString wrong = QStringLiteral("甲乙丙丁戊己庚辛壬癸");
        for (qsizetype at = 1; at < text.size(); at += 2)
            text[at] = wrong.at((at / 2) % wrong.size());
        return text;
    };
    const VoiceSyncPosition position = afterChunkOne(misheard(readable(0) + readable(1)));

    double now = 1.0;
    const lumetra::testing::Spoken heard = speak(VoiceSyncAligner(chunks), position, misheard(readable(2)), now);
    EXPECT_EQ(heard.furthestChunk, 3);
    EXPECT_GT(heard.position.spokenReadableCharacterCount, chunks.paragraph(2).globalReadableStart + 8);
}

} // namespace

TEST(VoiceSyncHearingQualityDueChunk, AnAsideEndingInTheNextSentencesClosingWordsDoesNotMarkThatSentenceRead)
{
    // Chunks 0 to 2 read word for word; the aside then shares chunk 4's closing words (主管,
    // 專案進度), while the presenter has not yet read chunk 3.
    const QStringList talk = { QStringLiteral("我自己選擇新的系統。"), QStringLiteral("團隊整理了？"),
        QStringLiteral("你通常把名單和作業寄出好，這個流程把影片比較好。"),
        QStringLiteral("客戶還是把溝通方式選擇好。"),
        QStringLiteral("新同事通常把平台規劃好，主管避開公開的專案進度。"), QStringLiteral("什麼叫做討論完了？"),
        QStringLiteral("第三步是其實簡化報告。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(talk.join(QString())));
    ASSERT_EQ(chunks.count(), talk.size());
    const VoiceSyncAligner aligner(chunks);
    double now = 1;
    lumetra::testing::Spoken spoken { VoiceSyncPosition { 0, 0, 0, now }, 0 };
    for (const int chunk : { 0, 1, 2 })
        spoken = speak(aligner, spoken.position, talk.at(chunk), now);
    ASSERT_EQ(spoken.position.currentParagraphIndex, 3);

    spoken = speak(aligner, spoken.position, QStringLiteral("主管其實把新的專案進度確認好"), now);
    EXPECT_LT(spoken.position.spokenReadableCharacterCount, chunks.paragraph(4).globalReadableStart + 12);
    EXPECT_LE(spoken.furthestChunk, 4);

    // The presenter then reads chunks 3 and 4 and is followed to their end.
    for (const int chunk : { 3, 4 })
        spoken = speak(aligner, spoken.position, talk.at(chunk), now);
    EXPECT_EQ(spoken.position.currentParagraphIndex, 5);
}
