#include "PrompterPreferencesStore.h"
#include "PrompterPreferencesTestData.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <limits>

using namespace lumetra;
using lumetra::testing::changedPreferences;
using lumetra::testing::handWrittenJson;

namespace {

class PrompterPreferencesStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings settings;
        settings.clear();
        settings.sync();
    }

    static QVariant storedValue() { return QSettings().value(PrompterPreferencesStore::storageKey()); }
    static void store(const QVariant &value) { QSettings().setValue(PrompterPreferencesStore::storageKey(), value); }

    // Replaces the whole settings file, as another program (or an earlier run) would leave it,
    // and returns what it held before.
    static QByteArray replaceSettingsFile(const QByteArray &contents)
    {
        const QString path = QSettings().fileName();
        QSettings().sync();
        QFile file(path);
        const QByteArray before = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        file.close();
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(contents);
        file.close();
        return before;
    }
};

} // namespace

TEST_F(PrompterPreferencesStoreTest, NoEntryGivesTheDefaultsAndLoadingWritesNothing)
{
    EXPECT_EQ(PrompterPreferencesStore::load(), PrompterPreferences {});
    EXPECT_FALSE(QSettings().contains(PrompterPreferencesStore::storageKey()));
}

TEST_F(PrompterPreferencesStoreTest, SavesRawJsonBytesAndLoadsThemUnchanged)
{
    const PrompterPreferences changed = changedPreferences();
    PrompterPreferencesStore::save(changed);
    EXPECT_EQ(storedValue().typeId(), QMetaType::QByteArray);
    EXPECT_EQ(storedValue().toByteArray(), changed.toJson());
    // Stored keys are not repaired here; that is the restoring model's step.
    EXPECT_EQ(PrompterPreferencesStore::load(), changed);

    PrompterPreferencesStore::save(PrompterPreferences {});
    EXPECT_EQ(PrompterPreferencesStore::load(), PrompterPreferences {});
}

TEST_F(PrompterPreferencesStoreTest, BytesAndTextStayApartThroughTheSettingsFile)
{
    const PrompterPreferences changed = changedPreferences();
    PrompterPreferencesStore::save(changed);
    const QByteArray savedFile = replaceSettingsFile(QByteArray());
    EXPECT_TRUE(savedFile.contains("Lumetra.preferences.v1=\"@ByteArray(")) << savedFile.constData();
    // The emptied file is read afresh, not served from memory.
    EXPECT_FALSE(QSettings().contains(PrompterPreferencesStore::storageKey()));

    // What another run reads from the file: the written bytes come back as bytes.
    replaceSettingsFile(savedFile);
    EXPECT_EQ(storedValue().typeId(), QMetaType::QByteArray);
    EXPECT_EQ(PrompterPreferencesStore::load(), changed);

    // The same JSON stored as text is no entry at all.
    replaceSettingsFile(QByteArray());
    store(QString::fromUtf8(changed.toJson()));
    EXPECT_EQ(PrompterPreferencesStore::load(), PrompterPreferences {});
    const QByteArray textFile = replaceSettingsFile(QByteArray());
    EXPECT_FALSE(textFile.contains("@ByteArray(")) << textFile.constData();
    replaceSettingsFile(textFile);
    EXPECT_EQ(storedValue().typeId(), QMetaType::QString);
    EXPECT_EQ(PrompterPreferencesStore::load(), PrompterPreferences {});
}

TEST_F(PrompterPreferencesStoreTest, EveryBadEntryGivesTheWholeDefaultRecord)
{
    QByteArray withoutAutoLoop = handWrittenJson();
    withoutAutoLoop.replace(R"("isAutoLoopEnabled": true,)", "");
    QByteArray speedAsText = handWrittenJson();
    speedAsText.replace(R"("scrollSpeed": 42)", R"("scrollSpeed": "42")");
    const QVariant badEntries[] = {
        QByteArray("\x00\x01\x02not json", 11),
        withoutAutoLoop,
        speedAsText,
        QByteArray("[]"),
        QString::fromUtf8(handWrittenJson()),
        QStringList { QStringLiteral("a"), QStringLiteral("b") },
        42,
    };
    for (const QVariant &entry : badEntries) {
        SCOPED_TRACE(entry.toString().toStdString());
        store(entry);
        EXPECT_EQ(PrompterPreferencesStore::load(), PrompterPreferences {});
    }
}

TEST_F(PrompterPreferencesStoreTest, ARecordWithANonFiniteNumberLeavesThePreviousEntry)
{
    const PrompterPreferences changed = changedPreferences();
    PrompterPreferencesStore::save(changed);
    const QByteArray before = storedValue().toByteArray();

    const double nonFinite[] = { std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity() };
    for (double value : nonFinite) {
        PrompterPreferences broken = changed;
        broken.verticalMargin = value;
        broken.fontSize = 30;
        PrompterPreferencesStore::save(broken);
        EXPECT_EQ(storedValue().toByteArray(), before) << value;
    }
    EXPECT_EQ(PrompterPreferencesStore::load(), changed);

    // With no previous entry, nothing appears.
    QSettings().clear();
    PrompterPreferences broken;
    broken.scrollSpeed = std::numeric_limits<double>::infinity();
    PrompterPreferencesStore::save(broken);
    EXPECT_FALSE(QSettings().contains(PrompterPreferencesStore::storageKey()));
}
