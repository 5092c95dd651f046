#include "ModelTestSupport.h"
#include "PrompterPreferencesStore.h"
#include "PrompterViewModel.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::scriptWithChunks;
using lumetra::testing::setStoredPreferencesEntry;
using lumetra::testing::storedPreferencesEntry;

namespace {

class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override { lumetra::testing::clearStoredSettings(); }

    static QJsonObject stored() { return QJsonDocument::fromJson(storedPreferencesEntry()).object(); }
};

TEST_F(PreferencesTest, FirstStartUsesTheDefaultsAndWritesNothing)
{
    PrompterViewModel model(scriptWithChunks(2), lumetra::testing::idleRecordingEngine());
    EXPECT_DOUBLE_EQ(model.scrollSpeed(), 42);
    EXPECT_DOUBLE_EQ(model.fontSize(), 54);
    EXPECT_DOUBLE_EQ(model.readingPosition(), 0.35);
    EXPECT_EQ(model.shortcutSettings(), ShortcutSettings {});
    EXPECT_FALSE(model.isRestoringPreferences());
    EXPECT_TRUE(storedPreferencesEntry().isEmpty());

    model.setHorizontalMargin(12);
    EXPECT_DOUBLE_EQ(stored().value(QStringLiteral("horizontalMargin")).toDouble(), 12);
    EXPECT_DOUBLE_EQ(stored().value(QStringLiteral("scrollSpeed")).toDouble(), 42);
}

TEST_F(PreferencesTest, EverySettingRoundTripsThroughTheSettingsFile)
{
    {
        PrompterViewModel model(scriptWithChunks(2), lumetra::testing::idleRecordingEngine());
        model.setScrollSpeed(66);
        model.setFontSize(72);
        model.setLineSpacing(20);
        model.setIsHorizontallyFlipped(true);
        model.setTextBrightness(0.8);
        model.setBackgroundBrightness(0.1);
        model.setDisplayContrast(1.3);
        model.setHorizontalMargin(15);
        model.setVerticalMargin(-40);
        model.setReadingPosition(0.5);
        model.setIsReadingGuidePinned(false);
        model.setIsHighlightEnabled(false);
        model.setReadTextOpacity(0.4);
        model.setIsAutoLoopEnabled(true);
        model.setShortcutSettings(
            { QStringLiteral("j"), QStringLiteral("l"), QStringLiteral("i"), QStringLiteral("k") });
    }
    PrompterViewModel restored(scriptWithChunks(2), lumetra::testing::idleRecordingEngine());
    EXPECT_DOUBLE_EQ(restored.scrollSpeed(), 66);
    EXPECT_DOUBLE_EQ(restored.fontSize(), 72);
    EXPECT_DOUBLE_EQ(restored.lineSpacing(), 20);
    EXPECT_TRUE(restored.isHorizontallyFlipped());
    EXPECT_DOUBLE_EQ(restored.textBrightness(), 0.8);
    EXPECT_DOUBLE_EQ(restored.backgroundBrightness(), 0.1);
    EXPECT_DOUBLE_EQ(restored.displayContrast(), 1.3);
    EXPECT_DOUBLE_EQ(restored.horizontalMargin(), 15);
    EXPECT_DOUBLE_EQ(restored.verticalMargin(), -40);
    EXPECT_DOUBLE_EQ(restored.readingPosition(), 0.5);
    EXPECT_FALSE(restored.isReadingGuidePinned());
    EXPECT_FALSE(restored.isHighlightEnabled());
    EXPECT_DOUBLE_EQ(restored.readTextOpacity(), 0.4);
    EXPECT_TRUE(restored.isAutoLoopEnabled());
    EXPECT_EQ(restored.shortcutSettings(),
        (ShortcutSettings { QStringLiteral("j"), QStringLiteral("l"), QStringLiteral("i"), QStringLiteral("k") }));
    // The first position comes from the restored font size and spacing: 72 × 1.75 + 20 = 146.
    EXPECT_DOUBLE_EQ(restored.scrollOffset(), 120 + 73);
    EXPECT_TRUE(restored.isReadingGuideVisible()); // shown for two seconds after start-up
}

TEST_F(PreferencesTest, OutOfRangeValuesAreUsedUnchanged)
{
    PrompterPreferences preferences;
    preferences.fontSize = 200;
    preferences.lineSpacing = -30;
    preferences.scrollSpeed = 500;
    PrompterPreferencesStore::save(preferences);

    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    EXPECT_DOUBLE_EQ(model.fontSize(), 200);
    EXPECT_DOUBLE_EQ(model.scrollOffset(), 120 + (200 * 1.75 - 30) / 2);
    // A speed key moves one step toward the range, it does not jump into it.
    model.handlePlainShortcut(QStringLiteral("a"));
    EXPECT_DOUBLE_EQ(model.scrollSpeed(), 496);
}

TEST_F(PreferencesTest, RestoringNormalisesShortcutsButWritesNothingUntilTheNextChange)
{
    PrompterPreferences preferences;
    preferences.shortcutSettings.fasterKey = QStringLiteral("  X ");
    preferences.shortcutSettings.nextSentenceKey = QString();
    PrompterPreferencesStore::save(preferences);
    const QByteArray before = storedPreferencesEntry();

    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    EXPECT_EQ(model.shortcutSettings().fasterKey, QStringLiteral("x"));
    EXPECT_EQ(model.shortcutSettings().nextSentenceKey, QStringLiteral("s"));
    EXPECT_EQ(storedPreferencesEntry(), before);

    model.setDisplayContrast(1.1);
    const QJsonObject shortcuts = stored().value(QStringLiteral("shortcutSettings")).toObject();
    EXPECT_EQ(shortcuts.value(QStringLiteral("fasterKey")).toString(), QStringLiteral("x"));
    EXPECT_EQ(shortcuts.value(QStringLiteral("nextSentenceKey")).toString(), QStringLiteral("s"));
}

TEST_F(PreferencesTest, BadEntriesFallBackToDefaultsAndAreLeftUntilAChange)
{
    for (const QVariant &entry : { QVariant(QByteArray("{\"scrollSpeed\": ")), QVariant(QStringLiteral("{}")),
             QVariant(QByteArray("{\"scrollSpeed\": \"42\"}")) }) {
        setStoredPreferencesEntry(entry);
        PrompterViewModel model(scriptWithChunks(1), lumetra::testing::idleRecordingEngine());
        EXPECT_DOUBLE_EQ(model.scrollSpeed(), 42);
        EXPECT_DOUBLE_EQ(model.fontSize(), 54);
    }
    setStoredPreferencesEntry(QByteArray("not json"));
    PrompterViewModel model(scriptWithChunks(1), lumetra::testing::idleRecordingEngine());
    EXPECT_EQ(storedPreferencesEntry(), QByteArray("not json"));
    model.setIsAutoLoopEnabled(true);
    EXPECT_TRUE(stored().value(QStringLiteral("isAutoLoopEnabled")).toBool());
}

TEST_F(PreferencesTest, ANonFiniteSettingWritesNothing)
{
    PrompterViewModel model(scriptWithChunks(1), lumetra::testing::idleRecordingEngine());
    model.setFontSize(60);
    const QByteArray before = storedPreferencesEntry();
    model.setLineSpacing(std::numeric_limits<double>::infinity());
    EXPECT_EQ(storedPreferencesEntry(), before);
}

TEST_F(PreferencesTest, ShortcutEditsAreNormalisedAtOnceAndSaved)
{
    PrompterViewModel model(scriptWithChunks(1), lumetra::testing::idleRecordingEngine());
    QSignalSpy shortcuts(&model, &PrompterViewModel::shortcutSettingsChanged);
    ShortcutSettings edited = model.shortcutSettings();
    edited.fasterKey = QStringLiteral("  X ");
    edited.nextSentenceKey = QString();
    edited.slowerKey = QStringLiteral("É");
    model.setShortcutSettings(edited);
    EXPECT_EQ(model.shortcutSettings(),
        (ShortcutSettings { QStringLiteral("é"), QStringLiteral("x"), QStringLiteral("w"), QStringLiteral("s") }));
    EXPECT_GE(shortcuts.count(), 1);
    const QJsonObject saved = stored().value(QStringLiteral("shortcutSettings")).toObject();
    EXPECT_EQ(saved.value(QStringLiteral("fasterKey")).toString(), QStringLiteral("x"));

    // An equal record still saves.
    setStoredPreferencesEntry(QByteArray("stale"));
    model.setShortcutSettings(model.shortcutSettings());
    EXPECT_EQ(
        stored().value(QStringLiteral("shortcutSettings")).toObject().value(QStringLiteral("slowerKey")).toString(),
        QStringLiteral("é"));
}

TEST_F(PreferencesTest, SpeedKeysStepByFourWithinTheLimitsAndAlwaysSave)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    model.setScrollSpeed(4);
    EXPECT_TRUE(model.handlePlainShortcut(QStringLiteral("a")));
    EXPECT_DOUBLE_EQ(model.scrollSpeed(), 2);
    setStoredPreferencesEntry(QByteArray("stale"));
    EXPECT_TRUE(model.handlePlainShortcut(QStringLiteral("a")));
    EXPECT_DOUBLE_EQ(model.scrollSpeed(), 2);
    EXPECT_DOUBLE_EQ(stored().value(QStringLiteral("scrollSpeed")).toDouble(), 2); // saved though unchanged

    model.setScrollSpeed(178);
    EXPECT_TRUE(model.handlePlainShortcut(QStringLiteral("d")));
    EXPECT_DOUBLE_EQ(model.scrollSpeed(), 180);
    setStoredPreferencesEntry(QByteArray("stale"));
    EXPECT_TRUE(model.handlePlainShortcut(QStringLiteral("d")));
    EXPECT_DOUBLE_EQ(stored().value(QStringLiteral("scrollSpeed")).toDouble(), 180);

    // With Voice Sync on the speed keys still change and save the speed.
    model.setIsVoiceSyncEnabled(true);
    EXPECT_TRUE(model.handlePlainShortcut(QStringLiteral("a")));
    EXPECT_DOUBLE_EQ(stored().value(QStringLiteral("scrollSpeed")).toDouble(), 176);
}

TEST_F(PreferencesTest, SentenceKeysMoveAndOtherKeysPassThrough)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    EXPECT_TRUE(model.handlePlainShortcut(QStringLiteral("s")));
    EXPECT_EQ(model.currentParagraphIndex(), 1);
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已前進到下一句"));
    EXPECT_TRUE(model.handlePlainShortcut(QStringLiteral("w")));
    EXPECT_EQ(model.currentParagraphIndex(), 0);
    EXPECT_FALSE(model.handlePlainShortcut(QStringLiteral("e")));
    EXPECT_FALSE(model.handlePlainShortcut(QStringLiteral("S"))); // the key hook lower-cases first
    EXPECT_FALSE(model.handlePlainShortcut(QString()));
}

TEST_F(PreferencesTest, TheFirstActionWinsWhenTwoShareAKey)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    model.setShortcutSettings({ QStringLiteral("q"), QStringLiteral("q"), QStringLiteral("w"), QStringLiteral("s") });
    EXPECT_TRUE(model.handlePlainShortcut(QStringLiteral("q")));
    EXPECT_DOUBLE_EQ(model.scrollSpeed(), 38);
    EXPECT_FALSE(model.handlePlainShortcut(QStringLiteral("d")));
}

} // namespace
