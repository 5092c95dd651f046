#include "ModelTestSupport.h"
#include "PrompterViewModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::frameTime;
using lumetra::testing::scriptWithChunks;

namespace {

class PlaybackTest : public ::testing::Test {
protected:
    void SetUp() override { lumetra::testing::clearStoredSettings(); }
};

// With the defaults (font 54, spacing 14) a chunk is 108.5 points high and chunk i sits at
// 120 + 108.5 i + 54.25.
double estimatedPosition(int chunk)
{
    return 120 + 108.5 * chunk + 54.25;
}

TEST_F(PlaybackTest, ConstructionPutsChunkZeroOnTheGuideLine)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    EXPECT_DOUBLE_EQ(model.scrollOffset(), estimatedPosition(0));
    EXPECT_FALSE(model.isPlaying());
    EXPECT_FALSE(model.isDirty());
    EXPECT_EQ(model.statusMessage(), QStringLiteral("使用範例講稿"));
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("未啟用"));
}

TEST_F(PlaybackTest, FramesMoveByElapsedTimeWithStallCappedAndBackwardStampsIgnored)
{
    PrompterViewModel model(scriptWithChunks(40), lumetra::testing::idleRecordingEngine());
    model.play();
    ASSERT_TRUE(model.isPlaying());
    const double start = model.scrollOffset();

    double t = 0;
    model.advanceScroll(frameTime(t)); // the first frame only records its time
    EXPECT_DOUBLE_EQ(model.scrollOffset(), start);

    for (int frame = 0; frame < 60; ++frame) {
        const double before = model.scrollOffset();
        t += 1.0 / 60;
        model.advanceScroll(frameTime(t));
        EXPECT_NEAR(model.scrollOffset() - before, 0.7, 1e-6) << "frame " << frame;
    }
    EXPECT_NEAR(model.scrollOffset() - start, 42, 1e-4);

    // A two-second stall moves a tenth of a second's worth only.
    double before = model.scrollOffset();
    t += 2;
    model.advanceScroll(frameTime(t));
    EXPECT_NEAR(model.scrollOffset() - before, 4.2, 1e-6);

    // A time stamp from the past causes no movement and becomes the new reference.
    before = model.scrollOffset();
    model.advanceScroll(frameTime(t - 0.5));
    EXPECT_DOUBLE_EQ(model.scrollOffset(), before);
    model.advanceScroll(frameTime(t - 0.5 + 1.0 / 60));
    EXPECT_NEAR(model.scrollOffset() - before, 0.7, 1e-6);

    // The same time stamp twice does not move either.
    before = model.scrollOffset();
    model.advanceScroll(frameTime(t - 0.5 + 1.0 / 60));
    EXPECT_DOUBLE_EQ(model.scrollOffset(), before);
    EXPECT_TRUE(model.isPlaying());
}

TEST_F(PlaybackTest, PausedOrVoiceSyncFramesOnlyFollowTheTime)
{
    PrompterViewModel model(scriptWithChunks(10), lumetra::testing::idleRecordingEngine());
    const double start = model.scrollOffset();
    model.advanceScroll(frameTime(0));
    model.advanceScroll(frameTime(1));
    EXPECT_DOUBLE_EQ(model.scrollOffset(), start);
    EXPECT_EQ(model.lastTickDate(), frameTime(1));

    // play() clears the reference, so the next frame does not move after the pause.
    model.play();
    EXPECT_FALSE(model.lastTickDate().has_value());
    model.advanceScroll(frameTime(5));
    EXPECT_DOUBLE_EQ(model.scrollOffset(), start);

    model.setIsVoiceSyncEnabled(true);
    model.advanceScroll(frameTime(5.05));
    EXPECT_DOUBLE_EQ(model.scrollOffset(), start);
    EXPECT_EQ(model.lastTickDate(), frameTime(5.05));
}

TEST_F(PlaybackTest, PlayIsRefusedWhileVoiceSyncDrives)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    model.setIsVoiceSyncEnabled(true);
    model.play();
    EXPECT_FALSE(model.isPlaying());
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("Voice Sync 控制中，固定速度已暫停"));
    model.togglePlayback();
    EXPECT_FALSE(model.isPlaying());
}

TEST_F(PlaybackTest, TogglePausesWithoutMessageAndPlayTwiceKeepsTheReference)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    QSignalSpy playing(&model, &PrompterViewModel::isPlayingChanged);
    model.togglePlayback();
    EXPECT_TRUE(model.isPlaying());
    model.advanceScroll(frameTime(0));
    model.play(); // already playing: nothing, the reference stays
    EXPECT_EQ(model.lastTickDate(), frameTime(0));
    model.togglePlayback();
    EXPECT_FALSE(model.isPlaying());
    EXPECT_FALSE(model.lastTickDate().has_value());
    EXPECT_EQ(model.statusMessage(), QStringLiteral("使用範例講稿"));
    EXPECT_EQ(playing.count(), 2);
}

TEST_F(PlaybackTest, EndOfScriptStopsWithTheLastChunkOnTheGuideLine)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    model.setScrollSpeed(180);
    model.play();
    double t = 0;
    int frames = 0;
    while (model.isPlaying() && frames < 10000) {
        model.advanceScroll(frameTime(t));
        t += 1.0 / 60;
        ++frames;
    }
    ASSERT_FALSE(model.isPlaying());
    EXPECT_DOUBLE_EQ(model.scrollOffset(), estimatedPosition(2));
    EXPECT_FALSE(model.lastTickDate().has_value());
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已到講稿結尾"));
    // 217 points at 3 points per frame: the end is reached on the 73rd moving frame.
    EXPECT_EQ(frames, 74);
}

TEST_F(PlaybackTest, EndOfScriptWithAutoLoopStartsOverAndKeepsPlaying)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    model.setIsAutoLoopEnabled(true);
    model.setSpokenReadableCharacterCount(4);
    model.setScrollOffset(estimatedPosition(2) - 1);
    model.play();
    model.advanceScroll(frameTime(0));
    model.advanceScroll(frameTime(0.05)); // 2.1 points: past the end
    EXPECT_TRUE(model.isPlaying());
    EXPECT_DOUBLE_EQ(model.scrollOffset(), estimatedPosition(0));
    EXPECT_EQ(model.spokenReadableCharacterCount(), 0);
    EXPECT_EQ(model.statusMessage(), QStringLiteral("使用範例講稿"));
    model.advanceScroll(frameTime(0.1));
    EXPECT_NEAR(model.scrollOffset(), estimatedPosition(0) + 2.1, 1e-9);
}

TEST_F(PlaybackTest, EmptyScriptReachesTheEndOnTheFirstMovingFrame)
{
    PrompterViewModel model(QString {}, lumetra::testing::idleRecordingEngine());
    model.play();
    model.advanceScroll(frameTime(0));
    EXPECT_TRUE(model.isPlaying());
    model.advanceScroll(frameTime(1.0 / 60));
    EXPECT_FALSE(model.isPlaying());
    EXPECT_DOUBLE_EQ(model.scrollOffset(), estimatedPosition(0));
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已到講稿結尾"));
}

TEST_F(PlaybackTest, FramesBeforeChunkZeroAreClampedUpToIt)
{
    PrompterViewModel model(scriptWithChunks(5), lumetra::testing::idleRecordingEngine());
    model.rewind(); // 174.25 - 260 is limited at 0, not at chunk 0
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 0);
    model.play();
    model.advanceScroll(frameTime(0));
    model.advanceScroll(frameTime(1.0 / 60));
    EXPECT_DOUBLE_EQ(model.scrollOffset(), estimatedPosition(0));
}

TEST_F(PlaybackTest, RewindStepsBackWithoutChangingPlayback)
{
    PrompterViewModel model(scriptWithChunks(10), lumetra::testing::idleRecordingEngine());
    model.setScrollOffset(900);
    model.play();
    model.rewind();
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 640);
    EXPECT_TRUE(model.isPlaying());
}

TEST_F(PlaybackTest, RewindWithVoiceSyncMovesOneSentenceBack)
{
    PrompterViewModel model(scriptWithChunks(10), lumetra::testing::idleRecordingEngine());
    model.setIsVoiceSyncEnabled(true);
    model.setVoiceSyncParagraphIndex(4);
    model.rewind();
    EXPECT_EQ(model.voiceSyncParagraphIndex(), std::optional<std::int64_t>(3));
    EXPECT_DOUBLE_EQ(model.scrollOffset(), estimatedPosition(3));
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已回到上一句"));
}

TEST_F(PlaybackTest, JumpToStartKeepsPlayingAndResetsTheSpokenPosition)
{
    PrompterViewModel model(scriptWithChunks(10), lumetra::testing::idleRecordingEngine());
    model.setScrollOffset(800);
    model.setSpokenReadableCharacterCount(12);
    model.setVoiceSyncParagraphIndex(6);
    model.play();
    model.advanceScroll(frameTime(0));
    model.jumpToStart();
    EXPECT_DOUBLE_EQ(model.scrollOffset(), estimatedPosition(0));
    EXPECT_FALSE(model.voiceSyncParagraphIndex().has_value());
    EXPECT_EQ(model.spokenReadableCharacterCount(), 0);
    EXPECT_TRUE(model.isPlaying());
    EXPECT_EQ(model.lastTickDate(), frameTime(0));

    model.setIsVoiceSyncEnabled(true);
    model.jumpToStart();
    EXPECT_EQ(model.voiceSyncParagraphIndex(), std::optional<std::int64_t>(0));
}

TEST_F(PlaybackTest, BrokenSpeedOrSizesNeverBreakTheStep)
{
    PrompterViewModel model(scriptWithChunks(4), lumetra::testing::idleRecordingEngine());
    model.setFontSize(0);
    model.setLineSpacing(-500);
    model.setScrollOffset(0);
    model.clampScrollOffset();
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 120 + 46); // the minimum chunk height of 92
    EXPECT_EQ(model.paragraphIndex(1e12), 3);
    EXPECT_EQ(model.paragraphIndex(-1e12), 0);

    model.setFontSize(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(model.paragraphIndex(400), 2);
    model.setScrollSpeed(std::numeric_limits<double>::quiet_NaN());
    model.play();
    model.advanceScroll(frameTime(0));
    model.advanceScroll(frameTime(0.1));
    EXPECT_FALSE(std::isnan(model.scrollOffset()));

    model.setScrollSpeed(std::numeric_limits<double>::infinity());
    model.advanceScroll(frameTime(0.2));
    EXPECT_FALSE(model.isPlaying());
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 120 + 92 * 3 + 46);
}

} // namespace
