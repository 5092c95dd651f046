#include "DefaultOutputLocation.h"
#include "RecordingEngine.h"
#include "RecordingError.h"
#include "RecordingFileName.h"
#include "RecordingMode.h"
#include "RecordingSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

using namespace lumetra;

TEST(RecordingModeTest, CasesCarryTheirRawValuesTitlesIconsAndExtensions)
{
    ASSERT_EQ(
        allRecordingModes(), (QList<RecordingMode> { RecordingMode::cameraAndMicrophone, RecordingMode::audioOnly }));
    EXPECT_EQ(recordingModeRawValue(RecordingMode::cameraAndMicrophone), QStringLiteral("cameraAndMicrophone"));
    EXPECT_EQ(recordingModeRawValue(RecordingMode::audioOnly), QStringLiteral("audioOnly"));
    EXPECT_EQ(recordingModeTitle(RecordingMode::cameraAndMicrophone), QStringLiteral("鏡頭 + 麥克風"));
    EXPECT_EQ(recordingModeTitle(RecordingMode::audioOnly), QStringLiteral("只錄音"));
    EXPECT_EQ(recordingModeSystemImage(RecordingMode::cameraAndMicrophone), QStringLiteral("video.fill"));
    EXPECT_EQ(recordingModeSystemImage(RecordingMode::audioOnly), QStringLiteral("mic.fill"));
    EXPECT_EQ(recordingModeFileExtension(RecordingMode::cameraAndMicrophone), QStringLiteral("mov"));
    EXPECT_EQ(recordingModeFileExtension(RecordingMode::audioOnly), QStringLiteral("m4a"));
    for (RecordingMode mode : allRecordingModes())
        EXPECT_EQ(recordingModeFromRawValue(recordingModeRawValue(mode)), mode);
    EXPECT_EQ(recordingModeFromRawValue(QStringLiteral("video")), RecordingMode::cameraAndMicrophone);
    EXPECT_EQ(recordingModeFromRawValue(QStringLiteral("AudioOnly")), RecordingMode::cameraAndMicrophone);
}

TEST(RecordingErrorTest, EveryCaseHasItsText)
{
    const QList<std::pair<RecordingError, QString>> expected = {
        { RecordingError::cameraPermissionDenied, QStringLiteral("相機權限未開啟") },
        { RecordingError::microphonePermissionDenied, QStringLiteral("麥克風權限未開啟") },
        { RecordingError::cameraUnavailable, QStringLiteral("找不到可用的相機") },
        { RecordingError::microphoneUnavailable, QStringLiteral("找不到可用的麥克風") },
        { RecordingError::cannotAddCameraInput, QStringLiteral("無法加入相機輸入") },
        { RecordingError::cannotAddMicrophoneInput, QStringLiteral("無法加入麥克風輸入") },
        { RecordingError::cannotAddMovieOutput, QStringLiteral("無法建立錄影輸出") },
        { RecordingError::outputDirectoryUnavailable, QStringLiteral("無法建立輸出資料夾") },
        { RecordingError::audioRecorderUnavailable, QStringLiteral("無法建立錄音器") },
    };
    for (const auto &[error, text] : expected)
        EXPECT_EQ(recordingErrorDescription(error), text);
}

TEST(FormatDurationTest, FloorsMinutesAndSecondsWithoutCappingMinutes)
{
    EXPECT_EQ(RecordingEngine::formatDuration(0), QStringLiteral("00:00"));
    EXPECT_EQ(RecordingEngine::formatDuration(59.99), QStringLiteral("00:59"));
    EXPECT_EQ(RecordingEngine::formatDuration(60), QStringLiteral("01:00"));
    EXPECT_EQ(RecordingEngine::formatDuration(3723.9), QStringLiteral("62:03"));
    EXPECT_EQ(RecordingEngine::formatDuration(-5), QStringLiteral("00:00"));
    EXPECT_EQ(RecordingEngine::formatDuration(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("00:00"));
    EXPECT_EQ(RecordingEngine::formatDuration(6000), QStringLiteral("100:00"));
}

class RecordingSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { QSettings().clear(); }
};

TEST_F(RecordingSettingsStoreTest, MissingValuesLoadAsDefaults)
{
    EXPECT_EQ(RecordingSettingsStore::loadMode(), RecordingMode::cameraAndMicrophone);
    EXPECT_EQ(RecordingSettingsStore::loadCameraID(), std::nullopt);
    EXPECT_EQ(RecordingSettingsStore::loadOutputDirectory(), DefaultOutputLocation::recordings());
}

TEST_F(RecordingSettingsStoreTest, StoredTextsAreReadByTheirRules)
{
    QSettings settings;
    settings.setValue(QStringLiteral("Lumetra.recording.mode.v1"), QStringLiteral("audioOnly"));
    settings.setValue(QStringLiteral("Lumetra.recording.cameraID.v1"), QStringLiteral("/dev/video2"));
    settings.setValue(QStringLiteral("Lumetra.recording.outputDirectory.v1"), QStringLiteral("/srv/takes"));
    EXPECT_EQ(RecordingSettingsStore::loadMode(), RecordingMode::audioOnly);
    EXPECT_EQ(RecordingSettingsStore::loadCameraID(), QStringLiteral("/dev/video2"));
    EXPECT_EQ(RecordingSettingsStore::loadOutputDirectory(), QUrl::fromLocalFile(QStringLiteral("/srv/takes")));

    settings.setValue(QStringLiteral("Lumetra.recording.mode.v1"), QStringLiteral("video"));
    settings.setValue(QStringLiteral("Lumetra.recording.cameraID.v1"), QString());
    settings.setValue(QStringLiteral("Lumetra.recording.outputDirectory.v1"), QString());
    EXPECT_EQ(RecordingSettingsStore::loadMode(), RecordingMode::cameraAndMicrophone);
    EXPECT_EQ(RecordingSettingsStore::loadCameraID(), std::nullopt);
    EXPECT_EQ(RecordingSettingsStore::loadOutputDirectory(), DefaultOutputLocation::recordings());
}

TEST_F(RecordingSettingsStoreTest, SavingWritesTextsAndNoCameraRemovesTheKey)
{
    RecordingSettingsStore::saveMode(RecordingMode::audioOnly);
    RecordingSettingsStore::saveOutputDirectory(QUrl::fromLocalFile(QStringLiteral("/srv/takes")));
    RecordingSettingsStore::saveCameraID(QStringLiteral("cam-1"));
    QSettings settings;
    EXPECT_EQ(settings.value(QStringLiteral("Lumetra.recording.mode.v1")).toString(), QStringLiteral("audioOnly"));
    EXPECT_EQ(settings.value(QStringLiteral("Lumetra.recording.outputDirectory.v1")).toString(),
        QStringLiteral("/srv/takes"));
    EXPECT_EQ(settings.value(QStringLiteral("Lumetra.recording.cameraID.v1")).toString(), QStringLiteral("cam-1"));

    RecordingSettingsStore::saveCameraID(QString());
    EXPECT_FALSE(QSettings().contains(QStringLiteral("Lumetra.recording.cameraID.v1")));
    RecordingSettingsStore::saveCameraID(QStringLiteral("cam-1"));
    RecordingSettingsStore::saveCameraID(std::nullopt);
    EXPECT_FALSE(QSettings().contains(QStringLiteral("Lumetra.recording.cameraID.v1")));
}

TEST(DefaultOutputLocationTest, IsTheMoviesFolderPlusLumetra)
{
    const QString movies = QStandardPaths::standardLocations(QStandardPaths::MoviesLocation).value(0);
    const QString base = movies.isEmpty() ? QDir::homePath() : movies;
    EXPECT_EQ(DefaultOutputLocation::recordings(), QUrl::fromLocalFile(base + QStringLiteral("/Lumetra")));
}

TEST(RecordingFileNameTest, NamesByStartTimeAndMode)
{
    const QDateTime start(QDate(2026, 3, 14), QTime(9, 30, 5), Qt::LocalTime);
    EXPECT_EQ(RecordingFileName::forStart(start, RecordingMode::cameraAndMicrophone),
        QStringLiteral("2026-03-14_093005_Lumetra.mov"));
    EXPECT_EQ(
        RecordingFileName::forStart(start, RecordingMode::audioOnly), QStringLiteral("2026-03-14_093005_Lumetra.m4a"));
}

TEST(RecordingFileNameTest, ATakenNameGetsTheNextFreeNumber)
{
    QTemporaryDir folder;
    const QString name = QStringLiteral("2026-03-14_093005_Lumetra.mov");
    EXPECT_EQ(RecordingFileName::firstFreePath(folder.path(), name), folder.filePath(name));

    QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    EXPECT_EQ(RecordingFileName::firstFreePath(folder.path(), name),
        folder.filePath(QStringLiteral("2026-03-14_093005_Lumetra 2.mov")));

    QFile(folder.filePath(QStringLiteral("2026-03-14_093005_Lumetra 2.mov"))).open(QIODevice::WriteOnly);
    // A dangling link holds its name too.
    QFile::link(
        folder.filePath(QStringLiteral("gone")), folder.filePath(QStringLiteral("2026-03-14_093005_Lumetra 3.mov")));
    EXPECT_EQ(RecordingFileName::firstFreePath(folder.path(), name),
        folder.filePath(QStringLiteral("2026-03-14_093005_Lumetra 4.mov")));
}
