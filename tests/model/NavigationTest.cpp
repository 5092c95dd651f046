#include "ModelTestSupport.h"
#include "PrompterViewModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::scriptWithChunks;

namespace {

class NavigationTest : public ::testing::Test {
protected:
    void SetUp() override { lumetra::testing::clearStoredSettings(); }
};

TEST_F(NavigationTest, NextSentenceAnnouncesTheLastOne)
{
    PrompterViewModel model(scriptWithChunks(4), lumetra::testing::idleRecordingEngine());
    model.scrollToParagraph(1, false);
    model.moveToNextSentence();
    EXPECT_EQ(model.currentParagraphIndex(), 2);
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已前進到下一句"));
    model.moveToNextSentence();
    EXPECT_EQ(model.currentParagraphIndex(), 3);
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已到最後一句"));
    model.setStatusMessage(QString());
    model.moveToNextSentence();
    EXPECT_EQ(model.currentParagraphIndex(), 3);
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已到最後一句"));
}

TEST_F(NavigationTest, PreviousSentenceStaysOnTheFirst)
{
    PrompterViewModel model(scriptWithChunks(4), lumetra::testing::idleRecordingEngine());
    model.scrollToParagraph(1, false);
    model.moveToPreviousSentence();
    EXPECT_EQ(model.currentParagraphIndex(), 0);
    model.setStatusMessage(QString());
    model.moveToPreviousSentence();
    EXPECT_EQ(model.currentParagraphIndex(), 0);
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已回到上一句"));
}

TEST_F(NavigationTest, SentenceMovesAskTheDisplayToEaseOut)
{
    PrompterViewModel model(scriptWithChunks(4), lumetra::testing::idleRecordingEngine());
    QSignalSpy animations(&model, &PrompterViewModel::scrollAnimationRequested);
    model.moveToNextSentence();
    ASSERT_EQ(animations.count(), 1);
    const QList<QVariant> request = animations.first();
    EXPECT_DOUBLE_EQ(request.at(0).toDouble(), 174.25);
    EXPECT_DOUBLE_EQ(request.at(1).toDouble(), 282.75);
    EXPECT_DOUBLE_EQ(request.at(2).toDouble(), 0.22);
    EXPECT_EQ(request.at(3).value<QEasingCurve::Type>(), QEasingCurve::OutQuad);
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 282.75); // the model takes the target at once
}

TEST_F(NavigationTest, WithoutChunksTheCommandsDoNothing)
{
    PrompterViewModel model(QStringLiteral("# 只有標題\n"), lumetra::testing::idleRecordingEngine());
    QSignalSpy offsets(&model, &PrompterViewModel::scrollOffsetChanged);
    model.moveToNextSentence();
    model.moveToPreviousSentence();
    model.jumpToSourceOffset(3);
    model.jump(model.document().sections.front());
    EXPECT_EQ(offsets.count(), 0);
    EXPECT_EQ(model.statusMessage(), QStringLiteral("使用範例講稿"));
}

TEST_F(NavigationTest, VoiceSyncChunkDrivesTheCurrentChunkAndManualMovesSetTheSpokenCount)
{
    PrompterViewModel model(
        scriptWithChunks(6), lumetra::testing::idleRecordingEngine()); // 3 readable characters per chunk
    model.setIsVoiceSyncEnabled(true);
    model.setVoiceSyncParagraphIndex(2);
    model.setSpokenReadableCharacterCount(11);
    model.setScrollOffset(model.readingContentY(5));
    EXPECT_EQ(model.currentParagraphIndex(), 2); // the offset is ignored
    EXPECT_EQ(model.readThroughParagraphIndex(), 3);
    EXPECT_EQ(model.visualProgressText(), QStringLiteral("11 / 18 字"));

    model.moveToPreviousSentence();
    EXPECT_EQ(model.voiceSyncParagraphIndex(), std::optional<std::int64_t>(1));
    EXPECT_EQ(model.spokenReadableCharacterCount(), 3); // set back to the chunk's start
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("已手動校正到第 2 句"));
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已回到上一句"));

    // An index beyond a shortened script is limited to its last chunk.
    model.setVoiceSyncParagraphIndex(40);
    EXPECT_EQ(model.currentParagraphIndex(), 5);
    model.setSpokenReadableCharacterCount(400);
    EXPECT_EQ(model.visualProgressText(), QStringLiteral("18 / 18 字"));
}

TEST_F(NavigationTest, ManualControlOutsideTheDocumentOnlyScrolls)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    model.setIsVoiceSyncEnabled(true);
    model.setVoiceSyncParagraphIndex(1);
    model.jumpToParagraphForManualControl(9);
    EXPECT_DOUBLE_EQ(model.scrollOffset(), model.readingContentY(2));
    EXPECT_EQ(model.voiceSyncParagraphIndex(), std::optional<std::int64_t>(1));
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("未啟用"));
}

TEST_F(NavigationTest, ProgressCountsSentencesWithVoiceSyncOff)
{
    PrompterViewModel model(scriptWithChunks(12), lumetra::testing::idleRecordingEngine());
    model.scrollToParagraph(2, false);
    EXPECT_EQ(model.visualProgressText(), QStringLiteral("3 / 12 句"));
    EXPECT_EQ(model.readThroughParagraphIndex(), 2);
    EXPECT_EQ(model.currentSectionTitle(), QStringLiteral("第一節"));
}

const QString twoSectionScript = QStringLiteral("# 甲\n\n一一。二二。\n\n# 乙\n\n三三。");

TEST_F(NavigationTest, SourceOffsetFindsTheChunkStartingAtOrBeforeIt)
{
    PrompterViewModel model(
        twoSectionScript, lumetra::testing::idleRecordingEngine()); // chunks start at characters 5, 8 and 18
    model.jumpToSourceOffset(14); // inside the heading "# 乙"
    EXPECT_EQ(model.currentParagraphIndex(), 1);
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已跳到第 2 句"));
    model.jumpToSourceOffset(0);
    EXPECT_EQ(model.currentParagraphIndex(), 0);
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已跳到第 1 句"));
    model.jumpToSourceOffset(18);
    EXPECT_EQ(model.currentParagraphIndex(), 2);
    model.jumpToSourceOffset(100000); // past the end
    EXPECT_EQ(model.currentParagraphIndex(), 2);
    model.jumpToSourceOffset(-5);
    EXPECT_EQ(model.currentParagraphIndex(), 0);
}

TEST_F(NavigationTest, SourceOffsetCountsCharactersNotCodeUnits)
{
    // "😀" is two UTF-16 units and one character; chunk 1 "二。" starts at character 8.
    PrompterViewModel withEmoji(QStringLiteral("# 甲\n\n😀一。二。"), lumetra::testing::idleRecordingEngine());
    PrompterViewModel withoutEmoji(QStringLiteral("# 甲\n\n好一。二。"), lumetra::testing::idleRecordingEngine());
    withEmoji.jumpToSourceOffset(8); // before "。", which is UTF-16 unit 8 but character 7
    withoutEmoji.jumpToSourceOffset(7);
    EXPECT_EQ(withEmoji.currentParagraphIndex(), 0);
    EXPECT_EQ(withoutEmoji.currentParagraphIndex(), 0);
    withEmoji.jumpToSourceOffset(9);
    withoutEmoji.jumpToSourceOffset(8);
    EXPECT_EQ(withEmoji.currentParagraphIndex(), 1);
    EXPECT_EQ(withoutEmoji.currentParagraphIndex(), 1);
}

TEST_F(NavigationTest, SourceOffsetCountsLineEndPairsAsOneCharacter)
{
    // Normalised: "# 甲\n\n一。\n\n二。", chunks at characters 5 and 9.
    PrompterViewModel model(QStringLiteral("# 甲\r\n\r\n一。\r\n\r\n二。"), lumetra::testing::idleRecordingEngine());
    model.jumpToSourceOffset(11); // after "一。\r\n": 8 characters once normalised
    EXPECT_EQ(model.currentParagraphIndex(), 0);
    model.jumpToSourceOffset(13); // at "二"
    EXPECT_EQ(model.currentParagraphIndex(), 1);

    PrompterViewModel loneReturns(QStringLiteral("# 甲\r\r一。\r\r二。"), lumetra::testing::idleRecordingEngine());
    loneReturns.jumpToSourceOffset(8);
    EXPECT_EQ(loneReturns.currentParagraphIndex(), 0);
    loneReturns.jumpToSourceOffset(9);
    EXPECT_EQ(loneReturns.currentParagraphIndex(), 1);
}

TEST_F(NavigationTest, SectionJumpGoesToItsFirstChunkAndSkipsEmptySections)
{
    PrompterViewModel model(
        QStringLiteral("# 甲\n\n一。\n\n# 乙\n\n# 丙\n\n三。四。"), lumetra::testing::idleRecordingEngine());
    ASSERT_EQ(model.document().sections.size(), 3u);
    model.setStatusMessage(QStringLiteral("之前"));
    model.jump(model.document().sections[2]);
    EXPECT_EQ(model.currentParagraphIndex(), 1);
    EXPECT_EQ(model.currentSectionTitle(), QStringLiteral("丙"));
    EXPECT_EQ(model.currentSectionIndex(), 2);

    const double before = model.scrollOffset();
    model.jump(model.document().sections[1]);
    EXPECT_DOUBLE_EQ(model.scrollOffset(), before);

    model.setIsVoiceSyncEnabled(true);
    model.jump(model.document().sections[0]);
    EXPECT_EQ(model.voiceSyncParagraphIndex(), std::optional<std::int64_t>(0));
    EXPECT_EQ(model.spokenReadableCharacterCount(), 0);
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("未啟用"));
    EXPECT_EQ(model.statusMessage(), QStringLiteral("之前"));
}

} // namespace
