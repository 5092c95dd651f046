#include "ForwardJumpGuard.h"
#include "EnglishLaunchScript.h"
#include "HeardTranscripts.h"
#include "ScriptParser.h"
#include "VerbatimStretch.h"
#include "VoiceSyncAligner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace lumetra;
using lumetra::testing::hear;
using lumetra::testing::speak;
using lumetra::testing::Spoken;

namespace {

// Sentences with the common characters and parallel openings of a real talk.
const QString talk
    = QStringLiteral("今天想跟大家聊聊怎麼把工作流程整理清楚。很多人一開始就急著找新的工具來解決問題。"
                     "可是工具再多，如果流程本身沒有想清楚，還是會很亂。所以第一步是先把每天重複在做的事情寫下來。"
                     "接著看看哪些步驟可以合併，哪些可以直接拿掉。第二步是替每個步驟找一個明確的負責人。"
                     "最後再決定要用什麼工具把這些步驟串起來。第三步是定期回頭檢查，看看流程還順不順。"
                     "這樣做下來，你會發現真正需要的工具其實不多。");

class GuardScenario : public ::testing::Test {
protected:
    explicit GuardScenario(const QString &script)
        : chunks(ScriptParser::parse(script))
        , guarded(chunks)
        , bare(chunks)
    {
        bare.setForwardJumpGuard(std::nullopt);
    }

    ScriptChunkIndex chunks;
    VoiceSyncAligner guarded;
    VoiceSyncAligner bare;

    // Where the position stands, leaving out how long it has stood there.
    static auto place(const VoiceSyncPosition &position)
    {
        return std::tuple(
            position.voiceSyncParagraphIndex, position.currentParagraphIndex, position.spokenReadableCharacterCount);
    }

    // Just after the end of `chunk`, as the alignment leaves it, the last move a second ago.
    VoiceSyncPosition after(std::int64_t chunk) const
    {
        const std::int64_t next = chunk + 1;
        return { next, next, chunks.paragraph(next).globalReadableStart, -1.0 };
    }
};

class ForwardJumpGuardScenario : public GuardScenario {
protected:
    ForwardJumpGuardScenario()
        : GuardScenario(talk)
    {
    }
    void SetUp() override { ASSERT_EQ(chunks.count(), 9); }
};

// Transcripts the real recogniser gave for espeak-ng reading the English script: with a language
// model of the script's own words, any speech comes out as script words, and in an alphabet
// every chunk holds most of the letters heard.
class EnglishGuardScenario : public GuardScenario {
protected:
    EnglishGuardScenario()
        : GuardScenario(lumetra::testing::scriptOfSentences(lumetra::testing::englishLaunchSentences()))
    {
    }
    void SetUp() override { ASSERT_EQ(chunks.count(), 12); }
};

} // namespace

// Weights of the latest words' longest stretch found unchanged in a chunk (12 is enough).
constexpr double inOrder = 12;
constexpr double outOfOrder = 11;

TEST(ForwardJumpGuard, FarChunksNeedAGoodScoreTheWordsInOrderAndAClearLead)
{
    const ForwardJumpGuard guard;
    const auto accepts = [&guard](double score, MatchEvidence evidence) {
        // Two chunks ahead of chunk 3, a small move.
        return guard.accepts({ 5, score, 100 }, evidence, 3, 95, 0);
    };
    // A lead of 0.2 in score suffices, also where the shares' floating-point forms fall a hair
    // short (17/20 against 13/20).
    EXPECT_TRUE(accepts(0.8, { inOrder, 0.6, outOfOrder }));
    EXPECT_TRUE(accepts(17.0 / 20.0, { inOrder, 13.0 / 20.0, outOfOrder }));
    EXPECT_FALSE(accepts(1.0, { inOrder, 0.81, outOfOrder }));
    // Never when a near chunk holds the words in order as long (a parallel opening).
    EXPECT_FALSE(accepts(1.0, { inOrder, 0.6, inOrder }));
    // So does a further in-order stretch of 12 where the near chunks score as well (any English
    // sentence holds most letters of every chunk).
    EXPECT_TRUE(accepts(1.0, { inOrder + 12, 1.0, 12 }));
    EXPECT_FALSE(accepts(1.0, { inOrder + 11, 1.0, 12 }));
    // Never without the score and the words in order.
    EXPECT_FALSE(accepts(0.75, { 40, 0.0, 0 }));
    EXPECT_FALSE(accepts(1.0, { outOfOrder, 0.0, 0 }));
    // The next chunk is not far: a weak score may move there in small steps.
    EXPECT_TRUE(guard.accepts({ 4, 0.3, 100 }, { 0, 0.3, 0 }, 3, 95, 0));
}

TEST(ForwardJumpGuard, FastMovesNeedAGoodScoreAndTheWordsInOrder)
{
    const ForwardJumpGuard guard;
    const auto accepts = [&guard](double score, std::int64_t end, double verbatim, double seconds,
                             double heardShare = 1.0) {
        return guard.accepts({ 3, score, end }, { verbatim, score, verbatim, false, false, heardShare }, 3, 100, seconds);
    };
    EXPECT_TRUE(accepts(0.3, 112, 0, 0));
    EXPECT_FALSE(accepts(0.3, 113, inOrder, 0));
    EXPECT_TRUE(accepts(0.6, 113, inOrder, 0));
    EXPECT_FALSE(accepts(1.0, 113, outOfOrder, 0));
    // Half of what it marks read must have been heard: the last words of an aside may be found in
    // the opening clause of the next chunk and carry the count over the rest of it.
    EXPECT_FALSE(accepts(0.6, 113, inOrder, 0, 0.4));
    EXPECT_TRUE(accepts(0.3, 112, 0, 0, 0.0));
    // Four more characters for every second since the last move.
    EXPECT_TRUE(accepts(0.3, 120, 0, 2.0));
    EXPECT_FALSE(accepts(0.3, 121, inOrder, 2.0));
    // Counting two and a half seconds at most: after a long pause or an aside a weak match
    // cannot carry the count a chunk ahead.
    EXPECT_TRUE(accepts(0.3, 122, 0, 30.0));
    EXPECT_FALSE(accepts(0.3, 123, inOrder, 30.0));
    // A match behind the spoken position moves nothing and is always fine.
    EXPECT_TRUE(guard.accepts({ 2, 0.3, 60 }, { 0, 0.3, 0 }, 3, 100, 0));
    // Within the allowance, a weak match moving more than twelve characters still needs a fifth
    // of what it marks read heard in order: a few words found in a chunk after a pause are not
    // enough to mark all of it read.
    EXPECT_FALSE(accepts(0.3, 120, 0, 30.0, 0.15));
    EXPECT_TRUE(accepts(0.3, 120, 0, 30.0, 0.2));
    EXPECT_TRUE(accepts(0.3, 112, 0, 30.0, 0.0));
    EXPECT_TRUE(accepts(0.55, 120, 0, 30.0, 0.15));
}

TEST(ForwardJumpGuard, FastMovesNeedTheLatestWordsToFitTheMatchedChunkBest)
{
    const ForwardJumpGuard guard;
    MatchEvidence evidence { inOrder, 1.0, inOrder };
    evidence.heardShareOfMarkedRead = 1.0;
    // A fast move into the next chunk with a full score and words in order …
    EXPECT_TRUE(guard.accepts({ 4, 1.0, 140 }, evidence, 3, 100, 0));
    // … is refused once the latest words align as well with a chunk before it.
    evidence.latestWordsFitEarlierChunk = true;
    EXPECT_FALSE(guard.accepts({ 4, 1.0, 140 }, evidence, 3, 100, 0));
    // Steady moves need it only to leave the current chunk.
    EXPECT_FALSE(guard.accepts({ 4, 0.3, 110 }, evidence, 3, 100, 0));
    EXPECT_TRUE(guard.accepts({ 3, 0.3, 110 }, evidence, 3, 100, 0));
    evidence.latestWordsFitEarlierChunk = false;
    EXPECT_TRUE(guard.accepts({ 4, 0.3, 110 }, evidence, 3, 100, 0));
}

TEST(VerbatimStretch, WeighsTheLongestUnchangedStretchWithIdeographsAsWords)
{
    const auto weight = [](const QString &needle, const QString &haystack) {
        return longestVerbatimStretchWeight(alignmentCharacters(needle), alignmentCharacters(haystack), 4);
    };
    // "esignuponourweb" against its chunk; the same letters scattered over the sentence do not count.
    EXPECT_EQ(weight(QStringLiteral("wetoweourtoworklearnson"), QStringLiteral("pleasesignuponourwebsitetojoin")), 3);
    EXPECT_EQ(weight(QStringLiteral("wesignuponourweb"), QStringLiteral("pleasesignuponourwebsitetojoin")), 15);
    // Three ideographs in order weigh as much as twelve letters; a Simplified transcript still matches.
    EXPECT_EQ(weight(QStringLiteral("找一个明确"), QStringLiteral("第二步是替每個步驟找一個明確的負責人")), 20);
    EXPECT_EQ(weight(QStringLiteral("步驟每個"), QStringLiteral("替每個步驟")), 8);
    EXPECT_EQ(weight(QStringLiteral("abc"), QString()), 0);
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
    EXPECT_EQ(place(spoken.position), place(after(1)));
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

TEST_F(EnglishGuardScenario, AnUnscriptedSentenceHeardAsScriptWordsDoesNotMoveThePosition)
{
    // "Let me tell you a short story about my old dog." after chunk 7, as it was recognised.
    const QStringList partials = QStringLiteral(
        "we|we to|we to we|we to|we to we our|we to we our to|we to we our so|we to we our to our|"
        "we to we our to work|we to we our to work the|we to we our to work for|we to we our to work learns|"
        "we to we our to work learns a|we to we our to work learns on|we to we our to work learns our|"
        "we to we our to work learns about|we to we our to work learns about will|"
        "we to we our to work learns about will what|we to we our to work learns about will what our|"
        "we to our to work learns about will what our")
                                     .split(QLatin1Char('|'));
    double now = 0;
    EXPECT_GE(hear(bare, after(7), partials, now, 0.15).furthestChunk, 10); // what the guard is for
    now = 0;
    const Spoken spoken = hear(guarded, after(7), partials, now, 0.15);
    EXPECT_EQ(place(spoken.position), place(after(7)));
}

TEST_F(EnglishGuardScenario, ASkippedSentenceIsFollowedWhereEveryChunkHoldsTheLetters)
{
    // Chunk 4 skipped and chunk 5 read, while the count still stands three letters before the
    // end of chunk 3 (its last words also fit chunk 2, which wins the tie): chunk 5 lies two
    // ahead, and chunk 4 holds every letter heard.
    VoiceSyncPosition position = after(3);
    position.spokenReadableCharacterCount -= 3;
    position.voiceSyncParagraphIndex = position.currentParagraphIndex = 3;
    const QStringList partials = QStringLiteral(
        "will|we|we we|we will|we built|we built a|we built a will|we built a early|we built a calendar|"
        "we built a calendar that|we built a calendar that plan|we built a calendar that learns|"
        "we built a calendar that learns it|we built a calendar that learns it you|"
        "we built a calendar that plans itself")
                                     .split(QLatin1Char('|'));
    double now = 0;
    const Spoken spoken = hear(guarded, position, partials, now, 0.15);
    VoiceSyncPosition reached = spoken.position;
    reached.heard = {}; // what was heard is not in question here
    EXPECT_EQ(reached, (VoiceSyncPosition { 6, 6, chunks.paragraph(6).globalReadableStart, now }));
    EXPECT_EQ(spoken.furthestChunk, 6);
}

TEST(ForwardJumpGuard, AWeakMatchMovesOnlyAsFarAsTheLatestWordsRunInOrder)
{
    // The presenter, a few words into chunk 1, adds an aside whose last words (公開的) are in
    // the next chunk, a short one the comparison window covers whole.
    const QStringList sentences = { QStringLiteral("最後統計常見筆記新同事其實寫下廣告。"),
        QStringLiteral("主管把共用聯絡人寫下好。"), QStringLiteral("每個人分享公開的合約。"),
        QStringLiteral("通常記錄設定檔和字幕我自己其實把個人的貨運建立好。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(sentences.join(QString())));
    ASSERT_EQ(chunks.count(), sentences.size());
    const VoiceSyncPosition position { 1, 1, chunks.paragraph(1).globalReadableStart + 3, 0 };
    const QString aside = QStringLiteral("你也追蹤外掛設計師準備公開的");

    const VoiceSyncDecision decision = VoiceSyncAligner(chunks).handleVoiceSyncUpdate(aside, position, 10.0);
    ASSERT_TRUE(decision.match);
    EXPECT_LT(decision.match->score, 0.5);
    EXPECT_EQ(decision.position.spokenReadableCharacterCount, chunks.paragraph(2).globalReadableStart + 8);
    EXPECT_EQ(decision.position.currentParagraphIndex, 2);

    // Without it the whole short chunk counts as read, and the prompter shows the one after.
    VoiceSyncAligner windowEnd(chunks);
    ForwardJumpGuard guard;
    guard.weakMatchScore = 0;
    guard.middlingMatchScore = 0;
    windowEnd.setForwardJumpGuard(guard);
    EXPECT_EQ(windowEnd.handleVoiceSyncUpdate(aside, position, 10.0).position.currentParagraphIndex, 3);

    // Before any of chunk 1 is heard, the move would leave it out: a weak match never does.
    const VoiceSyncPosition atTheStart { 1, 1, chunks.paragraph(1).globalReadableStart, 0 };
    EXPECT_FALSE(VoiceSyncAligner(chunks).handleVoiceSyncUpdate(aside, atTheStart, 10.0).match);

    // Weak, with none of the latest words in order in the chunk (約, 的 and 每 are there the
    // other way round): no match at all, where the window alone would take it.
    const QString reversed = QStringLiteral("你也追蹤外掛工程師約的每準備");
    EXPECT_FALSE(VoiceSyncAligner(chunks).handleVoiceSyncUpdate(reversed, position, 10.0).match);
    EXPECT_TRUE(windowEnd.handleVoiceSyncUpdate(reversed, position, 10.0).match);
}

TEST(ForwardJumpGuard, AMiddlingMatchMovesAsFarAsTheLatestWordsRunInOrderAndTheFewHeardAfterThem)
{
    // Chunk 2 read, an aside, and then words of the short chunk 3, all in one run: the match
    // there scores a half, and the comparison window runs to the chunk's end.
    const QStringList sentences = { QStringLiteral("我們已經交給收據，新手還是把清楚的範本記錄好。"),
        QStringLiteral("一定把貨運確認好，也統計廣告？"), QStringLiteral("講到這裡新手簡化麻煩的預約，每個人移除截圖和訊息。"),
        QStringLiteral("第二次比較便宜。"), QStringLiteral("第二次比較基本。"), QStringLiteral("使用者拆開重要的報告。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(sentences.join(QString())));
    ASSERT_EQ(chunks.count(), sentences.size());
    const VoiceSyncPosition position { 3, 3, chunks.paragraph(3).globalReadableStart, 9.0 };
    const QString aside = QStringLiteral("約每個人移除截圖和訊息把供應商和帳號追蹤好你真的整理答案");
    const auto readInChunk3 = [&](const ForwardJumpGuard &guard, const QString &said) {
        VoiceSyncAligner aligner(chunks);
        aligner.setForwardJumpGuard(guard);
        const VoiceSyncDecision decision = aligner.handleVoiceSyncUpdate(aside + said, position, 10.0);
        return decision.position.spokenReadableCharacterCount - chunks.paragraph(3).globalReadableStart;
    };
    // Its opening heard: that much is read, not the whole chunk.
    EXPECT_EQ(readInChunk3(ForwardJumpGuard {}, QStringLiteral("第二次比")), 4);
    ForwardJumpGuard windowEnd;
    windowEnd.middlingMatchScore = windowEnd.weakMatchScore;
    EXPECT_EQ(readInChunk3(windowEnd, QStringLiteral("第二次比")), 7);

    // Read on with the last characters misheard: two of those heard after 比 count too.
    EXPECT_EQ(readInChunk3(ForwardJumpGuard {}, QStringLiteral("第二次比教變意")), 6);
    ForwardJumpGuard heardInOrderOnly;
    heardInOrderOnly.middlingMatchMisheardCharacters = 0;
    EXPECT_EQ(readInChunk3(heardInOrderOnly, QStringLiteral("第二次比教變意")), 4);
}

TEST(ForwardJumpGuard, AMoveLeavingOutASentenceNeedsWhatItMarksReadHeardInOrder)
{
    // Chunk 0 just read, nothing of chunk 1 heard yet: a match in chunk 2 leaves chunk 1 out.
    const QStringList sentences = { QStringLiteral("這就是廣告。"),
        QStringLiteral("舉例來說你分享庫存每個人常常確認草稿和聯絡人。"), QStringLiteral("你已經處理報告準備關鍵的腳本。"),
        QStringLiteral("換句話說這套系統簡化關鍵的程式很多公司常常解決穩定的會議紀錄。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(sentences.join(QString())));
    ASSERT_EQ(chunks.count(), sentences.size());
    const VoiceSyncPosition position { 1, 1, chunks.paragraph(1).globalReadableStart, 9.0 };
    // An aside in the same run ends in chunk 2's last words, and only those.
    const QString aside = QStringLiteral("這就是廣告同樣地大家排序關鍵的腳本");

    const VoiceSyncDecision decision = VoiceSyncAligner(chunks).handleVoiceSyncUpdate(aside, position, 10.0);
    EXPECT_FALSE(decision.match);
    EXPECT_EQ(decision.position.spokenReadableCharacterCount, position.spokenReadableCharacterCount);

    // Without the rule the window's match passes the fast-move test and marks chunk 2 read.
    VoiceSyncAligner endsOnly(chunks);
    ForwardJumpGuard guard;
    guard.fastAdvanceMinimumHeardShare = 0;
    endsOnly.setForwardJumpGuard(guard);
    EXPECT_EQ(endsOnly.handleVoiceSyncUpdate(aside, position, 10.0).position.currentParagraphIndex, 3);

    // Chunk 2 read from its start, a quarter of it misheard, is the presenter leaving chunk 1 out.
    const QString skipped = QStringLiteral("這就是廣告你已經處理報名準被關鍵的腳本");
    EXPECT_EQ(VoiceSyncAligner(chunks).handleVoiceSyncUpdate(skipped, position, 10.0).position.currentParagraphIndex, 3);
}

TEST(ForwardJumpGuard, OneWordDoesNotTakeAPresenterPartwayThroughASentenceOnToTheNextOfItsPattern)
{
    // Two sentences of one pattern.
    const QStringList sentences = { QStringLiteral("新同事馬上移除長期的權限。"), QStringLiteral("什麼叫做調整完了？"),
        QStringLiteral("什麼叫做拆開完了？"), QStringLiteral("因為設計師慢慢排序網站，工程師就選擇正式的影片。") };
    const ScriptChunkIndex chunks(ScriptParser::parse(sentences.join(QString())));
    ASSERT_EQ(chunks.count(), sentences.size());
    const auto positionAfter = [&](const ForwardJumpGuard &guard, std::int64_t count, const QString &transcript) {
        VoiceSyncAligner aligner(chunks);
        aligner.setForwardJumpGuard(guard);
        return aligner.handleVoiceSyncUpdate(transcript, { 1, 1, count, 9.0 }, 10.0).position;
    };
    // The count after 什麼叫做 of chunk 1, and 調整 heard as 开, which chunk 2's 拆開 holds:
    // chunk 1 is still his.
    const std::int64_t partway = chunks.paragraph(1).globalReadableStart + 4;
    const QString patternWordMisheard = QStringLiteral("的权开成么去叫做开完");
    EXPECT_EQ(positionAfter(ForwardJumpGuard {}, partway, patternWordMisheard).currentParagraphIndex, 1);
    ForwardJumpGuard anyBetterFit;
    anyBetterFit.patternLead = 0;
    EXPECT_EQ(positionAfter(anyBetterFit, partway, patternWordMisheard).currentParagraphIndex, 3);
    // Chunk 1's end heard, then chunk 2's own word: he has moved on, and is followed.
    EXPECT_GE(positionAfter(ForwardJumpGuard {}, partway, QStringLiteral("么去叫做调整完了什么叫做拆开"))
                  .currentParagraphIndex,
        2);

    // Chunk 1 read but its last character, the next sentence's own word is enough: the pattern's
    // words fit the sentence he is through as well, and waiting for more would hold him back.
    const std::int64_t nearTheEnd = chunks.paragraph(2).globalReadableStart - 1;
    const QString nextSentenceOpening = QStringLiteral("什么叫做拆");
    EXPECT_EQ(positionAfter(ForwardJumpGuard {}, nearTheEnd, nextSentenceOpening).spokenReadableCharacterCount,
        chunks.paragraph(2).globalReadableStart + 5);
    ForwardJumpGuard heldToTheEnd;
    heldToTheEnd.patternUnreadCharacters = 0;
    EXPECT_EQ(positionAfter(heldToTheEnd, nearTheEnd, nextSentenceOpening).spokenReadableCharacterCount, nearTheEnd);
}
