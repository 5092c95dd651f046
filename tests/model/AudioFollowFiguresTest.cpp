#include "AudioFollowFigures.h"

#include <gtest/gtest.h>

using namespace lumetra::bench;

namespace {

// Three chunks read one after another, two seconds each with a second of pause, from 1 s on.
std::vector<TimedSentence> threeChunks()
{
    return { { QStringLiteral("a"), 0, 1.0, 3.0 }, { QStringLiteral("b"), 1, 4.0, 6.0 },
        { QStringLiteral("c"), 2, 7.0, 9.0 } };
}

} // namespace

TEST(AudioFollowFiguresTest, AModelThatFollowsLateButInOrderReachesEveryChunkWithItsDelays)
{
    const std::vector<ChunkMove> moves { { -2.0, 0 }, { 6.5, 1 }, { 9.2, 2 } };
    const AudioFollowFigures figures = audioFollowFigures(threeChunks(), moves, 10.0);

    EXPECT_EQ(figures.readChunks, 3);
    EXPECT_EQ(figures.reachedInOrder, 3);
    EXPECT_TRUE(figures.reaches[0].atStart);
    ASSERT_TRUE(figures.medianDelay);
    // Delays of chunks 1 and 2 only (+0.5 s, +0.2 s): the chunk the model started on says nothing.
    EXPECT_NEAR(*figures.medianDelay, 0.35, 1e-9);
    ASSERT_TRUE(figures.medianSinceStart);
    EXPECT_NEAR(*figures.medianSinceStart, 2.35, 1e-9); // +2.5 s and +2.2 s after the starts
    EXPECT_EQ(figures.largestLead, 0);
    EXPECT_EQ(figures.largestLag, 1);
    // Behind from 4.0 to 6.5 and from 7.0 to 9.2.
    EXPECT_NEAR(figures.secondsBehind, 4.7, 0.05);
    EXPECT_FALSE(figures.movedBack);
}

TEST(AudioFollowFiguresTest, ARunAheadAndABackwardMoveCountAgainstTheModel)
{
    // Jumps to chunk 2 while chunk 0 is read, falls back to 1, never returns to 2.
    const std::vector<ChunkMove> moves { { -1.0, 0 }, { 2.0, 2 }, { 5.0, 1 } };
    const AudioFollowFigures figures = audioFollowFigures(threeChunks(), moves, 10.0);

    EXPECT_EQ(figures.largestLead, 2);
    EXPECT_NEAR(figures.secondsMoreThanOneAhead, 2.0, 0.05); // 2.0 to 4.0
    EXPECT_EQ(figures.largestLag, 1); // on 1 while 2 is read
    EXPECT_TRUE(figures.movedBack);
    // Chunk 1 is looked for after the move to 2 (found at 5.0); chunk 2 was reached before chunk 1, so not in order.
    EXPECT_EQ(figures.reachedInOrder, 2);
    EXPECT_FALSE(figures.reaches[2].reachedAt);
    EXPECT_EQ(figures.reachedBeforeAudioStart, 0); // chunk 1 at 5.0 is after its start at 4.0
}

TEST(AudioFollowFiguresTest, UnscriptedSpeechKeepsTheSpeakerOnTheLastScriptedChunk)
{
    // Chunk 1 is skipped; an unscripted sentence follows chunk 0, then chunk 2 is read.
    const std::vector<TimedSentence> reading { { QStringLiteral("a"), 0, 1.0, 3.0 },
        { QStringLiteral("aside"), -1, 4.0, 6.0 }, { QStringLiteral("c"), 2, 7.0, 9.0 } };
    const std::vector<ChunkMove> moves { { -1.0, 0 }, { 5.0, 1 }, { 8.0, 2 } };
    const AudioFollowFigures figures = audioFollowFigures(reading, moves, 10.0);

    EXPECT_EQ(figures.readChunks, 2);
    EXPECT_EQ(figures.reachedInOrder, 2);
    EXPECT_EQ(figures.largestLead, 1); // on 1 during the aside, while the speaker is still on 0
    EXPECT_EQ(figures.largestLag, 1); // on 1 while 2 is read
    ASSERT_TRUE(figures.medianDelay);
    EXPECT_NEAR(*figures.medianDelay, -1.0, 1e-9);
    EXPECT_NEAR(figures.secondsAhead, 2.0, 0.05); // 5.0 to 7.0
}

TEST(AudioFollowFiguresTest, AModelThatNeverMovesReachesOnlyItsStartAndHasNoMedian)
{
    const AudioFollowFigures figures = audioFollowFigures(threeChunks(), { { -1.0, 0 } }, 10.0);
    EXPECT_EQ(figures.reachedInOrder, 1);
    EXPECT_NEAR(figures.reachedShare(), 1.0 / 3.0, 1e-9);
    EXPECT_FALSE(figures.medianDelay);
    EXPECT_FALSE(figures.medianSinceStart);
    EXPECT_EQ(figures.largestLag, 2);
    EXPECT_EQ(figures.reachedBeforeAudioStart, 0);
}
