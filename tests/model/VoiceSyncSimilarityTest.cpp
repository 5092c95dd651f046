#include "VoiceSyncSimilarity.h"
#include "ScriptParser.h"

#include <gtest/gtest.h>

using namespace lumetra;
using VoiceSyncSimilarity::similarityScore;
using VoiceSyncSimilarity::slidingSimilarityMatch;

namespace {

QString readable(const QString &text)
{
    return ScriptParser::normalizedReadableText(text);
}

} // namespace

TEST(VoiceSyncSimilarity, ScoreIsTheShareOfDistinctNeedleCharactersFound)
{
    EXPECT_DOUBLE_EQ(similarityScore(u"甲乙丙丁", u"丁丙乙甲"), 1.0);
    EXPECT_DOUBLE_EQ(similarityScore(u"甲乙丙丁", u"甲乙戊"), 0.5);
    // Repetition counts once on both sides.
    EXPECT_DOUBLE_EQ(similarityScore(u"甲甲甲乙", u"甲"), 0.5);
    EXPECT_DOUBLE_EQ(similarityScore(u"甲乙", u"甲甲甲甲"), 0.5);
    EXPECT_DOUBLE_EQ(similarityScore(u"", u"甲"), 0.0);
    EXPECT_DOUBLE_EQ(similarityScore(u"甲", u""), 0.0);
    // A Simplified transcript scores fully against its Traditional script.
    EXPECT_DOUBLE_EQ(similarityScore(u"这个问题怎么处理", u"這個問題怎麼處理"), 1.0);
}

TEST(VoiceSyncSimilarity, WorkedExample)
{
    const QString chunk = readable(QStringLiteral("今天這支影片，我想跟你聊一個很多人做 AI 工具時會忽略的問題。"));
    ASSERT_EQ(chunk, QStringLiteral("今天這支影片我想跟你聊一個很多人做ai工具時會忽略的問題"));
    EXPECT_EQ(slidingSimilarityMatch(readable(QStringLiteral("我想跟你聊一個很多人做AI")), chunk),
        (SimilarityMatch { 1.0, 19 }));
    EXPECT_EQ(slidingSimilarityMatch(readable(QStringLiteral("今天這支影片我想跟你聊")), chunk),
        (SimilarityMatch { 1.0, 12 }));
    EXPECT_EQ(slidingSimilarityMatch(u"第一段第二句", chunk), SimilarityMatch {});
}

TEST(VoiceSyncSimilarity, TooShortNeedlesAndEmptyHaystacksGiveNothing)
{
    EXPECT_EQ(slidingSimilarityMatch(u"甲乙丙", u"甲乙丙"), SimilarityMatch {});
    // 4 to 7 characters make no candidate even when every character is present.
    EXPECT_EQ(slidingSimilarityMatch(u"甲乙丙丁戊己庚", u"甲乙丙丁戊己庚"), SimilarityMatch {});
    EXPECT_EQ(slidingSimilarityMatch(u"甲乙丙丁戊己庚辛", u""), SimilarityMatch {});
    // Nothing in common: no end either.
    EXPECT_EQ(slidingSimilarityMatch(u"甲乙丙丁戊己庚辛", u"子丑寅卯辰巳午未申酉戌亥"), SimilarityMatch {});
}

TEST(VoiceSyncSimilarity, ShortChunksAreComparedWhole)
{
    EXPECT_EQ(slidingSimilarityMatch(u"甲乙丙丁戊己庚辛", u"甲乙丙丁"), (SimilarityMatch { 0.5, 4 }));
    EXPECT_EQ(slidingSimilarityMatch(u"甲乙丙丁戊己庚辛", u"辛庚己戊丁丙乙甲"), (SimilarityMatch { 1.0, 8 }));
}

TEST(VoiceSyncSimilarity, TiesKeepTheEarlierWindowAndTheShorterCandidate)
{
    // The needle's characters appear twice: the first complete window wins (12 wide, end 12).
    EXPECT_EQ(slidingSimilarityMatch(u"甲乙丙丁戊己庚辛", u"甲乙丙丁戊己庚辛子丑寅卯甲乙丙丁戊己庚辛"),
        (SimilarityMatch { 1.0, 12 }));
    // The 8- and the 12-character candidate both score 1.0; the 8-character one ends at 12, the
    // 12-character one would end at 16.
    EXPECT_EQ(slidingSimilarityMatch(u"子丑寅卯甲乙丙丁戊己庚辛", u"子丑寅卯甲乙丙丁戊己庚辛宇宙洪荒日月"),
        (SimilarityMatch { 1.0, 12 }));
    // A longer candidate replaces a shorter one only when it scores strictly higher.
    EXPECT_EQ(slidingSimilarityMatch(u"子丑寅卯辰巳午未甲乙丙丁戊己庚辛", u"子丑寅卯辰巳午未甲乙丙丁"),
        (SimilarityMatch { 0.75, 12 }));
}
