#include "AlignmentCharacters.h"
#include "GraphemeClusters.h"

#include <QString>

#include <gtest/gtest.h>

using namespace lumetra;

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
