#include "ForwardJumpGuard.h"
#include "ScriptParser.h"
#include "VoiceSyncAligner.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace lumetra;

namespace {

// Sentences with the common characters and parallel openings of a real talk.
const QString talk
    = QStringLiteral("今天想跟大家聊聊怎麼把工作流程整理清楚。很多人一開始就急著找新的工具來解決問題。"
                     "可是工具再多，如果流程本身沒有想清楚，還是會很亂。所以第一步是先把每天重複在做的事情寫下來。"
                     "接著看看哪些步驟可以合併，哪些可以直接拿掉。第二步是替每個步驟找一個明確的負責人。"
                     "最後再決定要用什麼工具把這些步驟串起來。第三步是定期回頭檢查，看看流程還順不順。"
                     "這樣做下來，你會發現真正需要的工具其實不多。");

struct Spoken {
    VoiceSyncPosition position;
    std::int64_t furthestChunk = 0;
};

// Feeds the growing partial transcripts of one sentence, a character every quarter second.
Spoken speak(const VoiceSyncAligner &aligner, VoiceSyncPosition position, const QString &sentence, double &now)
{
    Spoken result { position, position.currentParagraphIndex };
    const QString readable = ScriptParser::normalizedReadableText(sentence);
    for (qsizetype length = 1; length <= readable.size(); ++length) {
        now += 0.25;
        result.position = aligner.handleVoiceSyncUpdate(readable.left(length), result.position, now).position;
        result.furthestChunk = std::max(result.furthestChunk, result.position.currentParagraphIndex);
    }
    return result;
}

class ForwardJumpGuardScenario : public ::testing::Test {
protected:
    ScriptChunkIndex chunks { ScriptParser::parse(talk) };
    VoiceSyncAligner guarded { chunks };
    VoiceSyncAligner bare { chunks };

    void SetUp() override
    {
        ASSERT_EQ(chunks.count(), 9);
        bare.setForwardJumpGuard(std::nullopt);
    }

    // Just after the end of `chunk`, as the alignment leaves it, the last move a second ago.
    VoiceSyncPosition after(std::int64_t chunk) const
    {
        const std::int64_t next = chunk + 1;
        return { next, next, chunks.paragraph(next).globalReadableStart, -1.0 };
    }
};

} // namespace

TEST(ForwardJumpGuard, FarChunksNeedAClearlyBetterScore)
{
    const ForwardJumpGuard guard;
    // Two chunks ahead of chunk 3, a small move: 0.8 and a lead of 0.2 suffice, also where the
    // shares' floating-point forms fall a hair short (17/20 against 13/20).
    EXPECT_TRUE(guard.accepts({ 5, 0.8, 100 }, 3, 0.6, 95, 0));
    EXPECT_TRUE(guard.accepts({ 5, 17.0 / 20.0, 100 }, 3, 13.0 / 20.0, 95, 0));
    EXPECT_TRUE(guard.accepts({ 5, 1.0, 100 }, 3, 0.8, 95, 0));
    EXPECT_FALSE(guard.accepts({ 5, 1.0, 100 }, 3, 0.81, 95, 0));
    EXPECT_FALSE(guard.accepts({ 5, 0.75, 100 }, 3, 0.0, 95, 0));
    // The next chunk is not far: a weak score may move there.
    EXPECT_TRUE(guard.accepts({ 4, 0.3, 100 }, 3, 0.3, 95, 0));
}

TEST(ForwardJumpGuard, FastMovesNeedAGoodScore)
{
    const ForwardJumpGuard guard;
    EXPECT_TRUE(guard.accepts({ 3, 0.3, 112 }, 3, 0.3, 100, 0));
    EXPECT_FALSE(guard.accepts({ 3, 0.3, 113 }, 3, 0.3, 100, 0));
    EXPECT_TRUE(guard.accepts({ 3, 0.6, 113 }, 3, 0.6, 100, 0));
    // Four more characters for every second since the last move.
    EXPECT_TRUE(guard.accepts({ 3, 0.3, 120 }, 3, 0.3, 100, 2.0));
    EXPECT_FALSE(guard.accepts({ 3, 0.3, 121 }, 3, 0.3, 100, 2.0));
    // A match behind the spoken position moves nothing and is always fine.
    EXPECT_TRUE(guard.accepts({ 2, 0.3, 60 }, 3, 0.3, 100, 0));
}

TEST_F(ForwardJumpGuardScenario, AnUnscriptedSentenceDoesNotMoveThePosition)
{
    // Shares 每個步驟 and 找 with chunk 5, three ahead, and a few characters with chunk 3.
    const QString adLib = QStringLiteral("我自己以前也是這樣，每個步驟都想找人幫忙。");
    double now = 0;
    const Spoken alone = speak(bare, after(1), adLib, now);
    EXPECT_GE(alone.furthestChunk, 5); // what the guard is for

    now = 0;
    const Spoken spoken = speak(guarded, after(1), adLib, now);
    EXPECT_EQ(spoken.position, after(1));
    EXPECT_EQ(guarded.handleVoiceSyncUpdate(adLib, after(1), now).status, VoiceSyncAligner::noMatchStatus);
}

TEST_F(ForwardJumpGuardScenario, ARereadSentenceDoesNotCarryThePositionAway)
{
    // Chunk 3 again while at chunk 6: its opening resembles chunks 5 and 7, its words chunk 8.
    double now = 0;
    const Spoken alone = speak(bare, after(5), chunks.paragraph(3).text, now);
    EXPECT_GE(alone.furthestChunk, 8);

    now = 0;
    const Spoken spoken = speak(guarded, after(5), chunks.paragraph(3).text, now);
    EXPECT_EQ(spoken.furthestChunk, 6);
    EXPECT_EQ(spoken.position.spokenReadableCharacterCount, after(5).spokenReadableCharacterCount);
}

TEST_F(ForwardJumpGuardScenario, ASkippedSentenceIsStillFollowed)
{
    // Chunk 2 skipped, chunk 3 read: from just after chunk 1, and from a count that lags three
    // characters behind so that chunk 3 lies two chunks ahead.
    VoiceSyncPosition lagging = after(1);
    lagging.spokenReadableCharacterCount -= 3;
    lagging.voiceSyncParagraphIndex = lagging.currentParagraphIndex = 1;
    for (const VoiceSyncPosition &start : { after(1), lagging }) {
        double now = 0;
        const Spoken spoken = speak(guarded, start, chunks.paragraph(3).text, now);
        EXPECT_EQ(spoken.position.currentParagraphIndex, 4);
        EXPECT_EQ(spoken.position.spokenReadableCharacterCount, chunks.paragraph(4).globalReadableStart);
        EXPECT_EQ(spoken.furthestChunk, 4);
    }
}
