#include "VoiceSyncAligner.h"
#include "DistinctCharacters.h"
#include "ScriptParser.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace lumetra;
using lumetra::testing::distinctCharacters;

namespace {

const QString noMatch = QStringLiteral("聽到聲音，等待回到稿件附近");

// `count` chunks of 12 characters each that share no character with one another.
ScriptChunkIndex chunksOf(const QString &script)
{
    return ScriptChunkIndex(ScriptParser::parse(script));
}

ScriptChunkIndex distinctChunks(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += distinctCharacters(i, 12) + QStringLiteral("。");
    return chunksOf(text);
}

VoiceSyncPosition at(std::int64_t chunk, std::int64_t spoken = 0)
{
    return { chunk, chunk, spoken, 0 };
}

} // namespace

TEST(VoiceSyncAligner, WindowIsOneChunkBehindToFourAhead)
{
    const VoiceSyncAligner aligner(distinctChunks(10));
    EXPECT_EQ(aligner.nearbyParagraphRange(at(0)), (ParagraphRange { 0, 5 }));
    EXPECT_EQ(aligner.nearbyParagraphRange(at(4)), (ParagraphRange { 3, 9 }));
    EXPECT_EQ(aligner.nearbyParagraphRange(at(9)), (ParagraphRange { 8, 10 }));
    // The Voice Sync chunk anchors the window, not the scroll position's chunk.
    EXPECT_EQ(aligner.nearbyParagraphRange({ 3, 7, 0, 0 }), (ParagraphRange { 2, 8 }));
    EXPECT_EQ(aligner.nearbyParagraphRange({ std::nullopt, 7, 0, 0 }), (ParagraphRange { 6, 10 }));
    // An anchor beyond the end of a shortened script: nothing to search.
    EXPECT_EQ(aligner.nearbyParagraphRange(at(10)), (ParagraphRange { 9, 10 }));
    EXPECT_TRUE(aligner.nearbyParagraphRange(at(11)).isEmpty());
    EXPECT_TRUE(aligner.nearbyParagraphRange(at(40)).isEmpty());
}

TEST(VoiceSyncAligner, MatchesOnlyInsideTheWindow)
{
    const auto chunks = distinctChunks(10);
    const VoiceSyncAligner aligner(chunks);
    const auto read = [&](int chunk) { return distinctCharacters(chunk, 12); };

    EXPECT_EQ(aligner.matchParagraphIndex(read(4), at(0)),
        (VoiceSyncMatch { 4, 1.0, chunks.paragraph(4).globalReadableStart + 12 }));
    EXPECT_FALSE(aligner.matchParagraphIndex(read(5), at(0)));
    EXPECT_EQ(aligner.matchParagraphIndex(read(8), at(9))->index, 8);
    EXPECT_FALSE(aligner.matchParagraphIndex(read(7), at(9)));
    // Only the latest words count: a long transcript ending in chunk 3 lands on chunk 3.
    const QString longTranscript = read(1) + read(2) + read(1) + read(3);
    EXPECT_EQ(aligner.matchParagraphIndex(longTranscript, at(2))->index, 3);
}

TEST(VoiceSyncAligner, EqualScoresKeepTheEarlierChunk)
{
    const QString repeated = distinctCharacters(7, 12);
    const auto chunks = chunksOf(distinctCharacters(0, 12) + QStringLiteral("。") + repeated + QStringLiteral("。")
        + distinctCharacters(1, 12) + QStringLiteral("。") + repeated + QStringLiteral("。"));
    const VoiceSyncAligner aligner(chunks);
    EXPECT_EQ(aligner.matchParagraphIndex(repeated, at(0))->index, 1);
}

TEST(VoiceSyncAligner, AcceptsScoresFromTwentyEightHundredths)
{
    // Scores are shares of at most 24 distinct characters, so 0.28 itself cannot occur in a match;
    // the nearest shares on either side can.
    EXPECT_TRUE(VoiceSyncAligner::isAcceptedScore(0.28));
    EXPECT_FALSE(VoiceSyncAligner::isAcceptedScore(0.2799));

    const QString needle = distinctCharacters(0, 24);
    for (const int shared : { 7, 6 }) {
        // The chunk holds only the needle's first characters, so only the 24-character candidate finds any.
        const auto chunks = chunksOf(needle.left(shared) + QStringLiteral("。"));
        const auto match = VoiceSyncAligner(chunks).matchParagraphIndex(needle, at(0));
        if (shared == 7)
            EXPECT_EQ(match, (VoiceSyncMatch { 0, 7.0 / 24.0, 7 }));
        else
            EXPECT_FALSE(match);
    }
}

TEST(VoiceSyncAligner, TooShortAndEmptyTranscriptsLeaveThePosition)
{
    const VoiceSyncAligner aligner(distinctChunks(6));
    const VoiceSyncPosition position { 1, 1, 14, 3.0 };
    VoiceSyncPosition unmoved = position;
    // Four characters are too few for anything; seven of chunk 3, two ahead, are taken only in
    // the order the chunk has them.
    QString scrambled = distinctCharacters(3, 7);
    std::reverse(scrambled.begin(), scrambled.end());
    for (const QString &transcript : { QString(), QStringLiteral("，。！"), distinctCharacters(1, 3),
             distinctCharacters(2, 4), scrambled }) {
        const VoiceSyncDecision decision = aligner.handleVoiceSyncUpdate(transcript, position, 10.0);
        unmoved.heard.currentRun = ScriptParser::normalizedReadableText(transcript);
        unmoved.heard.charactersSinceAdvance = unmoved.heard.currentRun.size();
        unmoved.heard.charactersSinceSentenceEnded = unmoved.heard.charactersSinceAdvance;
        EXPECT_EQ(decision, (VoiceSyncDecision { noMatch, std::nullopt, unmoved, false })) << transcript.toStdString();
    }
}

TEST(VoiceSyncAligner, AMatchMovesForwardScrollsAndReportsTheChunk)
{
    const auto chunks = distinctChunks(6);
    const VoiceSyncAligner aligner(chunks);
    // The first eight characters of chunk 1 end a 12-wide window at the chunk's end, 4 further on.
    const VoiceSyncDecision decision = aligner.handleVoiceSyncUpdate(distinctCharacters(1, 8), at(1, 12), 5.0);
    ASSERT_TRUE(decision.match);
    EXPECT_EQ(*decision.match, (VoiceSyncMatch { 1, 1.0, 24 }));
    EXPECT_EQ(decision.position, (VoiceSyncPosition { 2, 2, 24, 5.0, { {}, distinctCharacters(1, 8) } }));
    EXPECT_TRUE(decision.shouldScroll);
    EXPECT_EQ(decision.status, QStringLiteral("已對齊第 3 句 · 100%"));
}

TEST(VoiceSyncAligner, RereadingNeverMovesTheSpokenCountBack)
{
    const auto chunks = distinctChunks(6);
    const VoiceSyncAligner aligner(chunks);
    const VoiceSyncPosition position { 2, 2, 30, 4.0 };
    // Chunk 1 again, with one of its characters misheard: 11 of 12.
    QString reread = distinctCharacters(1, 12);
    reread[5] = QChar(u'人');
    const VoiceSyncDecision decision = aligner.handleVoiceSyncUpdate(reread, position, 9.0);
    ASSERT_TRUE(decision.match);
    EXPECT_EQ(decision.match->index, 1);
    // Found re-reading is found: nothing of it counts as heard without finding him, though all
    // of it was heard since the count moved.
    EXPECT_EQ(decision.position, (VoiceSyncPosition { 2, 2, 30, 4.0, { {}, reread, 0, reread.size() } }));
    // The status names the furthest spoken chunk, with the new score truncated (11/12 = 91.7%).
    EXPECT_EQ(decision.status, QStringLiteral("已對齊第 3 句 · 91%"));
}

TEST(VoiceSyncAligner, SimplifiedSpeechFollowsATraditionalScript)
{
    const auto chunks
        = chunksOf(QStringLiteral("開場白。\n今天這支影片，我想跟你聊一個很多人做 AI 工具時會忽略的問題。"));
    const VoiceSyncAligner aligner(chunks);
    const auto match
        = aligner.matchParagraphIndex(QStringLiteral("今天这支影片我想跟你聊一个很多人做AI工具时会忽略的问题"), at(0));
    ASSERT_TRUE(match);
    EXPECT_EQ(*match, (VoiceSyncMatch { 1, 1.0, chunks.paragraph(1).globalReadableStart + 28 }));
}

TEST(ScriptChunkIndex, ChunkForACharacterCount)
{
    // The middle chunk has no readable characters and shares its start with the last one.
    const ScriptChunkIndex chunks = chunksOf(QStringLiteral("甲乙丙。……！丁戊。"));
    ASSERT_EQ(chunks.count(), 3);
    EXPECT_EQ(chunks.totalReadableCharacterCount(), 5);
    EXPECT_EQ(chunks.paragraphIndexForReadableCharacterCount(-4), 0);
    EXPECT_EQ(chunks.paragraphIndexForReadableCharacterCount(2), 0);
    EXPECT_EQ(chunks.paragraphIndexForReadableCharacterCount(3), 2);
    EXPECT_EQ(chunks.paragraphIndexForReadableCharacterCount(5), 2);
    EXPECT_EQ(chunks.paragraphIndexForReadableCharacterCount(500), 2);
}

TEST(VoiceSyncAligner, AnEmptyScriptNeverMatches)
{
    const VoiceSyncAligner empty(chunksOf(QString()));
    EXPECT_TRUE(empty.nearbyParagraphRange(at(0)).isEmpty());
    EXPECT_EQ(empty.handleVoiceSyncUpdate(QStringLiteral("今天這支影片我想跟你聊"), at(0), 1.0).status, noMatch);
}

TEST(VoiceSyncAligner, SpokenCharactersOfOneChunk)
{
    const ScriptChunkIndex chunks = chunksOf(QStringLiteral("甲乙丙。丁戊，己庚！"));
    const ScriptParagraph &second = chunks.paragraph(1); // starts at 3, 4 readable characters
    EXPECT_EQ(VoiceSyncAligner::spokenReadableCount(second, 5, false), 0);
    EXPECT_EQ(VoiceSyncAligner::spokenReadableCount(second, 2, true), 0);
    EXPECT_EQ(VoiceSyncAligner::spokenReadableCount(second, 5, true), 2);
    EXPECT_EQ(VoiceSyncAligner::spokenReadableCount(second, 40, true), 4);
}
