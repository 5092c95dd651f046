#include "DisplayTextSplit.h"

#include <QString>
#include <gtest/gtest.h>

using namespace lumetra;

TEST(DisplayTextSplit, PunctuationAfterTheLastSpokenCharacterBelongsToTheRemainingPart)
{
    const QString text = QStringLiteral("你好，世界");
    EXPECT_EQ(splitDisplayText(text, 2), 2); // 你好 | ，世界
    EXPECT_EQ(splitDisplayText(text, 3), 4); // 你好，世 | 界
    EXPECT_EQ(splitDisplayText(QStringLiteral("Hi, you"), 2), 2);
    EXPECT_EQ(splitDisplayText(QStringLiteral("Hi, you"), 3), 5); // "Hi, y" | "ou"
}

TEST(DisplayTextSplit, CountsUserPerceivedCharactersNotCodeUnits)
{
    // An ideograph beyond the basic plane (two UTF-16 units) counts once; a letter with a
    // combining accent counts once and keeps its accent.
    const QString text = QString::fromUtf8("𠀋e\u0301好");
    EXPECT_EQ(splitDisplayText(text, 1), 2);
    EXPECT_EQ(splitDisplayText(text, 2), 4);
    EXPECT_EQ(splitDisplayText(text, 3), 5);
}

TEST(DisplayTextSplit, CountsOutsideTheTextGiveNothingOrEverythingSpoken)
{
    const QString text = QStringLiteral("你好，世界");
    EXPECT_EQ(splitDisplayText(text, 0), 0);
    EXPECT_EQ(splitDisplayText(text, -3), 0);
    EXPECT_EQ(splitDisplayText(text, 4), text.size());
    EXPECT_EQ(splitDisplayText(text, 99), text.size());
    EXPECT_EQ(splitDisplayText(QString(), 2), 0);
    EXPECT_EQ(splitDisplayText(QStringLiteral("，。！"), 1), 3);
}
