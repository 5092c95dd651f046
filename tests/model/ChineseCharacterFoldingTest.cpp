#include "ChineseCharacterFolding.h"
#include "AlignmentCharacters.h"
#include "GraphemeClusters.h"

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

TEST(AlignmentCharacters, OneKeyPerCharacterWithBothScriptFormsAlike)
{
    const QString text = QStringLiteral("說話👩‍💻e\u0301a");
    const AlignmentCharacters keys = alignmentCharacters(text);
    ASSERT_EQ(static_cast<std::int64_t>(keys.size()), GraphemeClusters::count(text));
    EXPECT_EQ(keys, alignmentCharacters(QStringLiteral("说话👩‍💻e\u0301a")));

    // Sequences of several code points: equal sequences share a key, different ones do not, and
    // no sequence collides with a single character.
    EXPECT_NE(keys[2], alignmentCharacters(QStringLiteral("👨‍👩‍👧"))[0]);
    EXPECT_NE(keys[3], keys[4]);
    EXPECT_NE(keys[3], U'e');
    EXPECT_TRUE(alignmentCharacters(QString()).empty());
}
