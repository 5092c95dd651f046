#include "PrompterPreferences.h"
#include "PrompterPreferencesTestData.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <limits>

using namespace lumetra;
using lumetra::testing::changedPreferences;
using lumetra::testing::handWrittenJson;
using lumetra::testing::handWrittenShortcuts;

namespace {

QByteArray spoiled(const QByteArray &before, const QByteArray &after)
{
    QByteArray json = handWrittenJson();
    EXPECT_TRUE(json.contains(before)) << before.constData();
    return json.replace(before, after);
}

} // namespace

TEST(PrompterPreferencesJsonTest, TheDefaultRecordIsWrittenAsCompactJsonKeyedByFieldNames)
{
    const QByteArray json = PrompterPreferences().toJson();
    EXPECT_FALSE(json.contains('\n'));
    EXPECT_FALSE(json.contains(' '));
    EXPECT_TRUE(json.contains(R"("scrollSpeed":42)")) << json.constData();
    // Key order is not part of the format, so the documents are compared as objects.
    const QByteArray expected = R"({"scrollSpeed": 42, "fontSize": 54, "lineSpacing": 14,
        "isHorizontallyFlipped": false, "textBrightness": 1.0, "backgroundBrightness": 0.0,
        "displayContrast": 1.0, "horizontalMargin": 8, "verticalMargin": 0, "readingPosition": 0.35,
        "isReadingGuidePinned": true, "isHighlightEnabled": true, "readTextOpacity": 0.28,
        "isAutoLoopEnabled": false, "shortcutSettings": {"slowerKey": "a", "fasterKey": "d",
        "previousSentenceKey": "w", "nextSentenceKey": "s"}})";
    EXPECT_EQ(QJsonDocument::fromJson(json).object(), QJsonDocument::fromJson(expected).object()) << json.constData();
}

TEST(PrompterPreferencesJsonTest, EveryValueSurvivesARoundTripExactly)
{
    for (const PrompterPreferences &record : { PrompterPreferences(), changedPreferences() }) {
        const QByteArray json = record.toJson();
        ASSERT_FALSE(json.isEmpty());
        const std::optional<PrompterPreferences> decoded = PrompterPreferences::fromJson(json);
        ASSERT_TRUE(decoded.has_value()) << json.constData();
        EXPECT_EQ(*decoded, record) << json.constData();
    }
}

TEST(PrompterPreferencesJsonTest, ReadsIntegersAnyKeyOrderAndIgnoresUnknownKeys)
{
    const std::optional<PrompterPreferences> decoded = PrompterPreferences::fromJson(handWrittenJson());
    ASSERT_TRUE(decoded.has_value());
    PrompterPreferences expected;
    expected.isAutoLoopEnabled = true;
    expected.readTextOpacity = 0.5;
    expected.isReadingGuidePinned = false;
    expected.readingPosition = 0.25;
    expected.verticalMargin = -12;
    expected.horizontalMargin = 10;
    expected.fontSize = 60;
    expected.shortcutSettings.nextSentenceKey = QStringLiteral("k");
    EXPECT_EQ(*decoded, expected);
}

TEST(PrompterPreferencesJsonTest, ValuesOutsideTheControlRangesAndRawKeysAreKept)
{
    const QByteArray json = spoiled(R"("fontSize": 60)", R"("fontSize": 200)")
                                .replace(R"("slowerKey": "a")", R"("slowerKey": "  X ")")
                                .replace(R"("scrollSpeed": 42)", R"("scrollSpeed": -5)");
    const std::optional<PrompterPreferences> decoded = PrompterPreferences::fromJson(json);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->fontSize, 200);
    EXPECT_EQ(decoded->scrollSpeed, -5);
    EXPECT_EQ(decoded->shortcutSettings.slowerKey, QStringLiteral("  X "));
}

TEST(PrompterPreferencesJsonTest, AnyFlawRejectsTheWholeRecord)
{
    struct Case {
        const char *what;
        QByteArray json;
    };
    // The size comes from the literal itself, so the embedded NUL is kept and nothing beyond it read.
    static constexpr char corruptBytes[] = "\xff\xfe{\x00garbage";
    const Case cases[] = {
        { "empty", QByteArray() },
        { "corrupt bytes", QByteArray(corruptBytes, sizeof corruptBytes - 1) },
        { "truncated", handWrittenJson().left(handWrittenJson().size() / 2) },
        { "trailing garbage", handWrittenJson() + "x" },
        { "top-level array", "[" + handWrittenJson() + "]" },
        { "top-level string", R"("{}")" },
        { "missing flag", spoiled(R"("isAutoLoopEnabled": true,)", "") },
        { "missing number", spoiled(R"("fontSize": 60,)", "") },
        { "missing shortcuts", spoiled(R"("shortcutSettings":)", R"("shortcuts":)") },
        { "missing shortcut key", spoiled(R"("fasterKey": "d",)", "") },
        { "digits in a string", spoiled(R"("scrollSpeed": 42)", R"("scrollSpeed": "42")") },
        { "number as flag", spoiled(R"("isAutoLoopEnabled": true)", R"("isAutoLoopEnabled": 1)") },
        { "text as flag", spoiled(R"("isAutoLoopEnabled": true)", R"("isAutoLoopEnabled": "true")") },
        { "flag as number", spoiled(R"("fontSize": 60)", R"("fontSize": true)") },
        { "null number", spoiled(R"("fontSize": 60)", R"("fontSize": null)") },
        { "number out of double range", spoiled(R"("fontSize": 60)", R"("fontSize": 1e400)") },
        { "number as shortcut", spoiled(R"("fasterKey": "d")", R"("fasterKey": 4)") },
        { "null shortcut", spoiled(R"("fasterKey": "d")", R"("fasterKey": null)") },
        { "shortcuts as array", spoiled(handWrittenShortcuts(), R"(["k", "d", "a", "w"])") },
        { "shortcuts as text", spoiled(handWrittenShortcuts(), R"("adws")") },
    };
    ASSERT_TRUE(PrompterPreferences::fromJson(handWrittenJson()).has_value());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(PrompterPreferences::fromJson(c.json).has_value()) << c.json.constData();
    }
}

TEST(PrompterPreferencesJsonTest, ANonFiniteNumberWritesNothing)
{
    const double nonFinite[] = { std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity() };
    for (double value : nonFinite) {
        PrompterPreferences first;
        first.scrollSpeed = value;
        EXPECT_TRUE(first.toJson().isEmpty()) << value;
        PrompterPreferences last;
        last.readTextOpacity = value;
        EXPECT_TRUE(last.toJson().isEmpty()) << value;
    }
}
