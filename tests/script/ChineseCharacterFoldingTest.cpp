#include "ChineseCharacterFolding.h"
#include "GraphemeClusters.h"

#include <QList>

#include <gtest/gtest.h>

using namespace lumetra;

TEST(ChineseCharacterFolding, FoldsTraditionalToSimplifiedOneForOne)
{
    ASSERT_TRUE(ChineseCharacterFolding::isAvailable());
    EXPECT_EQ(ChineseCharacterFolding::toSimplified(QStringLiteral("這個問題該怎麼處理")),
        QStringLiteral("这个问题该怎么处理"));
    // Already Simplified, Latin, digits, emoji and combining sequences pass through untouched.
    const QString untouched = QStringLiteral("这个问题 AI 2024 👩‍💻 e\u0301");
    EXPECT_EQ(ChineseCharacterFolding::toSimplified(untouched), untouched);

    const QString mixed = QStringLiteral("臺灣的發展與後來的變化👍");
    EXPECT_EQ(GraphemeClusters::count(ChineseCharacterFolding::toSimplified(mixed)), GraphemeClusters::count(mixed));
}

TEST(ChineseCharacterFolding, PhrasesConvertAsWholesWithEveryCharacterInPlace)
{
    // Where a phrase reads differently from its characters one by one, the phrase wins.
    EXPECT_EQ(ChineseCharacterFolding::toSimplified(QStringLiteral("乾隆")), QStringLiteral("干隆"));
    EXPECT_EQ(
        ChineseCharacterFolding::toSimplifiedPhrases(QStringLiteral("乾隆皇帝很乾")), QStringLiteral("乾隆皇帝很干"));
    EXPECT_EQ(ChineseCharacterFolding::toSimplified(QStringLiteral("瞭解")), QStringLiteral("瞭解"));
    EXPECT_EQ(ChineseCharacterFolding::toSimplifiedPhrases(QStringLiteral("我們瞭解")), QStringLiteral("我们了解"));

    const QString mixed = QStringLiteral("臺灣的發展 AI 2024 與後來的變化👩‍💻 这个");
    const QString converted = ChineseCharacterFolding::toSimplifiedPhrases(mixed);
    EXPECT_EQ(converted, QStringLiteral("台湾的发展 AI 2024 与后来的变化👩‍💻 这个"));
    EXPECT_EQ(converted.toUcs4().size(), mixed.toUcs4().size());
    EXPECT_EQ(ChineseCharacterFolding::toSimplifiedPhrases(QString()), QString());
}
