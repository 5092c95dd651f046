#include "ShortcutSettings.h"

#include <gtest/gtest.h>

using namespace lumetra;

namespace {

// Normalises a record whose four keys all hold `key` and returns the four results.
ShortcutSettings normalizedAll(const QString &key)
{
    ShortcutSettings settings { key, key, key, key };
    settings.normalize();
    return settings;
}

QString normalizedSlower(const QString &key)
{
    return normalizedAll(key).slowerKey;
}

} // namespace

TEST(ShortcutSettingsTest, EmptyOrBlankKeysTakeEachFieldsOwnDefault)
{
    for (const QString &blank :
        { QString(), QStringLiteral("   "), QStringLiteral("\t\n\r"), QStringLiteral("\u00a0\u3000\u2028\u0085") }) {
        SCOPED_TRACE(blank.toStdString());
        EXPECT_EQ(normalizedAll(blank), ShortcutSettings {});
    }
}

TEST(ShortcutSettingsTest, TrimsLowerCasesAndKeepsTheFirstCharacter)
{
    EXPECT_EQ(normalizedSlower(QStringLiteral("  X ")), QStringLiteral("x"));
    EXPECT_EQ(normalizedSlower(QStringLiteral("ÄB")), QStringLiteral("ä"));
    EXPECT_EQ(normalizedSlower(QStringLiteral("\u3000Q\u3000")), QStringLiteral("q"));
    EXPECT_EQ(normalizedSlower(QStringLiteral("注音")), QStringLiteral("注"));
    // Only the ends are trimmed, so an inner space is never the key.
    EXPECT_EQ(normalizedSlower(QStringLiteral(" . X")), QStringLiteral("."));
}

TEST(ShortcutSettingsTest, AMultiScalarCharacterStaysWhole)
{
    const QString family = QStringLiteral("\U0001F469\u200D\U0001F469\u200D\U0001F467");
    EXPECT_EQ(normalizedSlower(family + QStringLiteral("x")), family);
    EXPECT_EQ(normalizedSlower(QStringLiteral("E\u0301tude")), QStringLiteral("e\u0301"));
    EXPECT_EQ(normalizedSlower(QStringLiteral("\U0001F1F9\U0001F1FC\U0001F1EF\U0001F1F5")),
        QStringLiteral("\U0001F1F9\U0001F1FC"));
}

TEST(ShortcutSettingsTest, UsesTheFullLowerCaseMapping)
{
    // One upper-case letter whose lower case is two scalars forming one character.
    EXPECT_EQ(normalizedSlower(QStringLiteral("İX")), QStringLiteral("i\u0307"));
    // Root locale, not Turkish: I becomes i.
    EXPECT_EQ(normalizedSlower(QStringLiteral("I")), QStringLiteral("i"));
    EXPECT_EQ(normalizedSlower(QStringLiteral("Σ")), QStringLiteral("σ"));
}

TEST(ShortcutSettingsTest, FieldsAreRepairedIndependently)
{
    ShortcutSettings settings { QStringLiteral("Q"), QStringLiteral("q"), QString(), QStringLiteral("  ") };
    settings.normalize();
    const ShortcutSettings expected { QStringLiteral("q"), QStringLiteral("q"), QStringLiteral("w"),
        QStringLiteral("s") };
    EXPECT_EQ(settings, expected);

    ShortcutSettings unchanged;
    unchanged.normalize();
    EXPECT_EQ(unchanged, ShortcutSettings {});
}
