#include "RecordingEngine.h"
#include "DefaultOutputLocation.h"
#include "DesktopFileServices.h"
#include "FakeCaptureBackend.h"
#include "FakeDesktopFiles.h"
#include "PermissionService.h"
#include "QStringPrinter.h"
#include "RecordingSettingsStore.h"
#include "ScriptedConsentPrompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::FakeCaptureBackend;
using lumetra::testing::FakeDesktopFiles;
using lumetra::testing::ScriptedConsentPrompter;

namespace {

class NothingRestricted final : public SystemAccessProbe {
public:
    bool isRestricted(PermissionKind) const override { return false; }
};

const CameraDevice frontCamera { QStringLiteral("/dev/video0"), QStringLiteral("Front Camera") };
const CameraDevice deskCamera { QStringLiteral("/dev/video2"), QStringLiteral("Desk Camera") };


class RecordingEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings().clear();
        ASSERT_TRUE(outputFolder.isValid());
        QSettings().setValue(
            RecordingSettingsStore::outputDirectoryKey, outputFolder.filePath(QStringLiteral("takes")));
    }

    // Makes the engine and lets its launch step (the preview start) run.
    RecordingEngine &makeEngine(QList<CameraDevice> cameras = { frontCamera, deskCamera })
    {
        auto backendOwner = std::make_unique<FakeCaptureBackend>();
        backend = backendOwner.get();
        backend->cameras = std::move(cameras);
        engine = std::make_unique<RecordingEngine>(std::move(backendOwner), &permissions);
        QCoreApplication::processEvents();
        return *engine;
    }

    void grant(PermissionKind kind) { permissions.setDecision(kind, true); }
    void grantBoth()
    {
        grant(PermissionKind::camera);
        grant(PermissionKind::microphone);
    }

    static bool waitFor(const std::function<bool()> &condition) { return QTest::qWaitFor(condition, 3000); }

    void startMovie()
    {
        engine->startRecording();
        ASSERT_TRUE(waitFor([&] { return engine->isRecording(); })) << engine->statusMessage().toStdString();
    }

    std::optional<QString> storedCameraID() const
    {
        QSettings settings;
        if (!settings.contains(RecordingSettingsStore::cameraIDKey))
            return std::nullopt;
        return settings.value(RecordingSettingsStore::cameraIDKey).toString();
    }

    QTemporaryDir outputFolder;
    ScriptedConsentPrompter prompter;
    PermissionService permissions { &prompter, std::make_shared<NothingRestricted>() };
    FakeCaptureBackend *backend = nullptr;
    std::unique_ptr<RecordingEngine> engine;
};

TEST_F(RecordingEngineTest, WithoutStoredSettingsTheDefaultCameraIsChosenAndStored)
{
    QSettings().clear();
    RecordingEngine &e = makeEngine();
    EXPECT_EQ(e.mode(), RecordingMode::cameraAndMicrophone);
    EXPECT_EQ(e.outputDirectory(), DefaultOutputLocation::recordings());
    EXPECT_EQ(e.availableCameras(), (QList<CameraDevice> { frontCamera, deskCamera }));
    EXPECT_EQ(e.selectedCameraID(), frontCamera.uniqueID);
    EXPECT_EQ(storedCameraID(), frontCamera.uniqueID);
    EXPECT_EQ(e.statusMessage(), QStringLiteral("尚未錄影"));
    EXPECT_FALSE(e.isRecording());
    EXPECT_FALSE(e.isPreviewRunning());
    EXPECT_TRUE(prompter.asked.empty()) << "nothing is asked at launch";
}

TEST_F(RecordingEngineTest, AVanishedStoredCameraIsReplacedAndTheReplacementStored)
{
    QSettings().setValue(RecordingSettingsStore::cameraIDKey, QStringLiteral("/dev/video9"));
    RecordingEngine &e = makeEngine();
    EXPECT_EQ(e.selectedCameraID(), frontCamera.uniqueID);
    EXPECT_EQ(storedCameraID(), frontCamera.uniqueID);

    QSettings().setValue(RecordingSettingsStore::cameraIDKey, deskCamera.uniqueID);
    EXPECT_EQ(makeEngine().selectedCameraID(), deskCamera.uniqueID) << "an attached stored camera stays chosen";
}

TEST_F(RecordingEngineTest, WithoutCamerasTheSelectionIsNoneAndThePreviewReportsIt)
{
    QSettings().setValue(RecordingSettingsStore::cameraIDKey, QStringLiteral("/dev/video0"));
    grant(PermissionKind::camera);
    RecordingEngine &e = makeEngine({});
    EXPECT_EQ(e.selectedCameraID(), std::nullopt);
    EXPECT_EQ(storedCameraID(), std::nullopt);
    EXPECT_EQ(e.statusMessage(), QStringLiteral("預覽失敗：找不到可用的相機")) << "the launch preview start fails too";

    e.startPreviewRequestingPermission();
    EXPECT_EQ(e.statusMessage(), QStringLiteral("預覽失敗：找不到可用的相機"));
    EXPECT_FALSE(e.isPreviewRunning());
}

TEST_F(RecordingEngineTest, PreviewStartsAtLaunchOnlyInCameraModeWithCameraAccessGranted)
{
    RecordingEngine &undecided = makeEngine();
    EXPECT_FALSE(undecided.isPreviewRunning());
    EXPECT_FALSE(backend->calls.contains(QStringLiteral("startRunning")));

    grant(PermissionKind::camera);
    QSettings().setValue(RecordingSettingsStore::modeKey, QStringLiteral("audioOnly"));
    RecordingEngine &audioOnly = makeEngine();
    EXPECT_FALSE(audioOnly.isPreviewRunning());

    QSettings().setValue(RecordingSettingsStore::modeKey, QStringLiteral("video"));
    RecordingEngine &granted = makeEngine();
    EXPECT_TRUE(granted.isPreviewRunning());
    EXPECT_EQ(granted.statusMessage(), QStringLiteral("鏡頭預覽中"));
    EXPECT_EQ(backend->calls,
        (QStringList { "discover", "begin", "addCamera /dev/video0", "addMovieOutput", "commit", "startRunning" }));
    EXPECT_FALSE(backend->hasMicrophone) << "the preview does not take the microphone";
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(RecordingEngineTest, DiscoveryOnRequestWaitsAndThenDiscoversAndStartsThePreview)
{
    grant(PermissionKind::camera);
    QSettings().setValue(RecordingSettingsStore::cameraIDKey, deskCamera.uniqueID);
    auto backendOwner = std::make_unique<FakeCaptureBackend>();
    backend = backendOwner.get();
    backend->cameras = { frontCamera, deskCamera };
    engine = std::make_unique<RecordingEngine>(
        std::move(backendOwner), &permissions, RecordingEngine::CameraDiscovery::onRequest);
    QSignalSpy camerasChanged(engine.get(), &RecordingEngine::availableCamerasChanged);
    QCoreApplication::processEvents();
    EXPECT_TRUE(backend->calls.isEmpty()) << "nothing touches the capture system before it is asked";
    EXPECT_TRUE(engine->availableCameras().isEmpty());
    EXPECT_EQ(engine->selectedCameraID(), deskCamera.uniqueID) << "the stored camera is kept meanwhile";
    EXPECT_FALSE(engine->isPreviewRunning());

    engine->discoverCamerasAndStartPreview();
    EXPECT_EQ(camerasChanged.count(), 1);
    EXPECT_EQ(engine->availableCameras(), (QList<CameraDevice> { frontCamera, deskCamera }));
    EXPECT_EQ(engine->selectedCameraID(), deskCamera.uniqueID);
    EXPECT_EQ(storedCameraID(), deskCamera.uniqueID);
    EXPECT_TRUE(engine->isPreviewRunning());
    EXPECT_TRUE(backend->calls.contains(QStringLiteral("addCamera /dev/video2")));
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(RecordingEngineTest, PreviewRequestAsksOnceAndReportsDenial)
{
    RecordingEngine &e = makeEngine();
    prompter.answers = { false };
    e.startPreviewRequestingPermission();
    ASSERT_TRUE(waitFor([&] { return e.statusMessage() != QStringLiteral("尚未錄影"); }));
    EXPECT_EQ(e.statusMessage(), QStringLiteral("預覽失敗：相機權限未開啟"));
    EXPECT_EQ(prompter.asked, std::vector<PermissionKind> { PermissionKind::camera });

    permissions.setDecision(PermissionKind::camera, true);
    e.startPreviewRequestingPermission();
    EXPECT_EQ(e.statusMessage(), QStringLiteral("鏡頭預覽中"));
    EXPECT_TRUE(e.isPreviewRunning());
    EXPECT_EQ(prompter.asked.size(), 1u);

    backend->calls.clear();
    e.startPreviewRequestingPermission();
    EXPECT_EQ(backend->calls, (QStringList { "discover", "begin", "commit" })) << "a running session is left alone";
}

TEST_F(RecordingEngineTest, ModeAssignmentsAreStoredAndCameraModeStartsThePreview)
{
    grant(PermissionKind::camera);
    QSettings().setValue(RecordingSettingsStore::modeKey, QStringLiteral("audioOnly"));
    RecordingEngine &e = makeEngine();
    QSignalSpy modeChanges(&e, &RecordingEngine::modeChanged);
    e.setMode(RecordingMode::audioOnly);
    EXPECT_EQ(modeChanges.count(), 0);
    EXPECT_EQ(QSettings().value(RecordingSettingsStore::modeKey).toString(), QStringLiteral("audioOnly"));

    e.setMode(RecordingMode::cameraAndMicrophone);
    EXPECT_EQ(modeChanges.count(), 1);
    EXPECT_EQ(QSettings().value(RecordingSettingsStore::modeKey).toString(), QStringLiteral("cameraAndMicrophone"));
    ASSERT_TRUE(waitFor([&] { return e.isPreviewRunning(); }));

    e.setMode(RecordingMode::audioOnly);
    QCoreApplication::processEvents();
    EXPECT_TRUE(e.isPreviewRunning()) << "switching to audio only leaves the preview running";
}

TEST_F(RecordingEngineTest, ChoosingCamerasStoresAndSwitchesOnlyWhenAllowed)
{
    RecordingEngine &e = makeEngine();
    QSignalSpy statusChanges(&e, &RecordingEngine::statusMessageChanged);

    backend->calls.clear();
    e.setSelectedCameraID(frontCamera.uniqueID);
    EXPECT_TRUE(backend->calls.isEmpty()) << "choosing the chosen camera does nothing";

    e.setSelectedCameraID(deskCamera.uniqueID);
    EXPECT_EQ(storedCameraID(), deskCamera.uniqueID);
    EXPECT_TRUE(backend->calls.isEmpty()) << "before any preview the choice is only stored";
    EXPECT_EQ(statusChanges.count(), 0);

    grant(PermissionKind::camera);
    e.startPreviewRequestingPermission();
    EXPECT_EQ(backend->cameraInput, deskCamera);

    backend->calls.clear();
    e.setSelectedCameraID(frontCamera.uniqueID);
    EXPECT_EQ(backend->calls, (QStringList { "begin", "removeCamera", "addCamera /dev/video0", "commit" }));
    EXPECT_EQ(e.statusMessage(), QStringLiteral("已切換相機：Front Camera"));
}

TEST_F(RecordingEngineTest, AFailedSwitchLeavesNoCameraUntilTheNextStart)
{
    grant(PermissionKind::camera);
    RecordingEngine &e = makeEngine();
    ASSERT_TRUE(e.isPreviewRunning());
    backend->cameraInputError = QStringLiteral("裝置忙碌");
    e.setSelectedCameraID(deskCamera.uniqueID);
    EXPECT_EQ(e.statusMessage(), QStringLiteral("切換相機失敗：裝置忙碌"));
    EXPECT_EQ(backend->cameraInput, std::nullopt);

    backend->cameraInputError.reset();
    backend->calls.clear();
    e.startPreviewRequestingPermission();
    EXPECT_TRUE(backend->calls.contains(QStringLiteral("addCamera /dev/video2")));
    EXPECT_EQ(e.statusMessage(), QStringLiteral("鏡頭預覽中"));
}

TEST_F(RecordingEngineTest, MovieRecordingAsksCameraThenMicrophoneAndRunsToTheFinishedFile)
{
    RecordingEngine &e = makeEngine();
    prompter.answers = { true, true };
    QSignalSpy changes(&e, &RecordingEngine::changed);
    startMovie();
    EXPECT_EQ(prompter.asked, (std::vector<PermissionKind> { PermissionKind::camera, PermissionKind::microphone }));
    EXPECT_EQ(e.statusMessage(), QStringLiteral("錄影中"));
    EXPECT_FALSE(e.isStopping());
    EXPECT_TRUE(e.isPreviewRunning());
    EXPECT_TRUE(backend->hasMicrophone);
    const QString path = e.activeOutputURL().toLocalFile();
    EXPECT_TRUE(QFileInfo(path).dir().exists()) << "the output folder is created";
    EXPECT_TRUE(path.startsWith(outputFolder.filePath(QStringLiteral("takes/"))));
    EXPECT_TRUE(path.endsWith(QStringLiteral("_Lumetra.mov")));
    EXPECT_EQ(backend->calls.last(), QStringLiteral("startMovie ") + path);
    EXPECT_GT(changes.count(), 0);

    e.stopRecording();
    EXPECT_TRUE(e.isRecording());
    EXPECT_TRUE(e.isStopping());
    EXPECT_EQ(e.statusMessage(), QStringLiteral("正在收尾..."));
    EXPECT_EQ(backend->calls.last(), QStringLiteral("stopMovie"));

    backend->finishMovie();
    ASSERT_TRUE(waitFor([&] { return !e.isRecording(); }));
    EXPECT_FALSE(e.isStopping());
    EXPECT_EQ(e.lastOutputURL(), QUrl::fromLocalFile(path));
    EXPECT_TRUE(e.activeOutputURL().isEmpty());
    EXPECT_EQ(e.statusMessage(), QStringLiteral("已輸出 ") + QFileInfo(path).fileName());
}

TEST_F(RecordingEngineTest, AMovieFinishedWithAnErrorKeepsTheLastOutput)
{
    grantBoth();
    RecordingEngine &e = makeEngine();
    startMovie();
    e.stopRecording();
    backend->finishMovie();
    ASSERT_TRUE(waitFor([&] { return !e.isRecording(); }));
    const QUrl previous = e.lastOutputURL();

    startMovie();
    backend->finishMovie(QStringLiteral("相機中斷")); // without a stop request
    ASSERT_TRUE(waitFor([&] { return !e.isRecording(); }));
    EXPECT_EQ(e.statusMessage(), QStringLiteral("錄影失敗：相機中斷"));
    EXPECT_EQ(e.lastOutputURL(), previous);
    EXPECT_TRUE(e.activeOutputURL().isEmpty());
}

TEST_F(RecordingEngineTest, StartAndStopAreIgnoredInTheWrongStates)
{
    grantBoth();
    RecordingEngine &e = makeEngine();
    backend->calls.clear();
    e.stopRecording();
    EXPECT_TRUE(backend->calls.isEmpty());
    EXPECT_EQ(e.statusMessage(), QStringLiteral("鏡頭預覽中"));

    startMovie();
    const QUrl active = e.activeOutputURL();
    const qsizetype callsWhileRecording = backend->calls.size();
    e.startRecording();
    EXPECT_EQ(backend->calls.size(), callsWhileRecording);
    EXPECT_EQ(e.activeOutputURL(), active);

    e.stopRecording();
    e.stopRecording();
    e.startRecording();
    EXPECT_EQ(backend->calls.count(QStringLiteral("stopMovie")), 1);
    EXPECT_EQ(backend->calls.size(), callsWhileRecording + 1);
    EXPECT_EQ(e.statusMessage(), QStringLiteral("正在收尾..."));
}

TEST_F(RecordingEngineTest, AStartWaitingForConsentIgnoresASecondStart)
{
    RecordingEngine &e = makeEngine();
    prompter.answers = { true, true };
    e.startRecording();
    e.startRecording();
    ASSERT_TRUE(waitFor([&] { return e.isRecording(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(backend->calls.filter(QStringLiteral("startMovie")).size(), 1);
    EXPECT_EQ(prompter.asked.size(), 2u);
}

TEST_F(RecordingEngineTest, ChoosingACameraWhileRecordingOnlyStoresIt)
{
    grantBoth();
    RecordingEngine &e = makeEngine();
    startMovie();
    backend->calls.clear();
    e.setSelectedCameraID(deskCamera.uniqueID);
    EXPECT_EQ(storedCameraID(), deskCamera.uniqueID);
    EXPECT_TRUE(backend->calls.isEmpty());
    EXPECT_EQ(backend->cameraInput, frontCamera);

    e.stopRecording();
    backend->finishMovie();
    ASSERT_TRUE(waitFor([&] { return !e.isRecording(); }));
    EXPECT_EQ(backend->cameraInput, frontCamera) << "the switch does not happen later by itself";
}

TEST_F(RecordingEngineTest, StartFailuresLeaveTheEngineIdle)
{
    RecordingEngine &e = makeEngine();
    permissions.setDecision(PermissionKind::camera, true);
    permissions.setDecision(PermissionKind::microphone, false);
    e.startRecording();
    EXPECT_EQ(e.statusMessage(), QStringLiteral("錄製失敗：麥克風權限未開啟"));
    EXPECT_FALSE(e.isRecording());
    EXPECT_TRUE(e.activeOutputURL().isEmpty());

    permissions.setDecision(PermissionKind::microphone, true);
    backend->microphoneInputError = QStringLiteral("找不到可用的麥克風");
    e.startRecording();
    EXPECT_EQ(e.statusMessage(), QStringLiteral("錄製失敗：找不到可用的麥克風"));
    EXPECT_TRUE(backend->cameraInput.has_value()) << "inputs added before the failing step stay";

    backend->microphoneInputError.reset();
    backend->acceptsMovieOutput = false;
    e.startRecording();
    EXPECT_EQ(e.statusMessage(), QStringLiteral("錄製失敗：無法建立錄影輸出"));
    EXPECT_FALSE(e.isRecording());
    EXPECT_TRUE(e.activeOutputURL().isEmpty());
}

TEST_F(RecordingEngineTest, AudioOnlyRecordingLeavesTheSessionAlone)
{
    grantBoth();
    RecordingEngine &e = makeEngine();
    ASSERT_TRUE(e.isPreviewRunning());
    e.setMode(RecordingMode::audioOnly);
    QCoreApplication::processEvents();
    backend->calls.clear();
    e.startRecording();
    ASSERT_TRUE(e.isRecording());
    EXPECT_EQ(e.statusMessage(), QStringLiteral("錄音中"));
    const QString path = e.activeOutputURL().toLocalFile();
    EXPECT_TRUE(path.endsWith(QStringLiteral("_Lumetra.m4a")));
    EXPECT_EQ(backend->calls, QStringList { QStringLiteral("startAudio ") + path });

    e.stopRecording();
    EXPECT_EQ(backend->calls.last(), QStringLiteral("stopAudio"));
    backend->finishAudio(true);
    ASSERT_TRUE(waitFor([&] { return !e.isRecording(); }));
    EXPECT_EQ(e.statusMessage(), QStringLiteral("已輸出 ") + QFileInfo(path).fileName());
    EXPECT_EQ(e.lastOutputURL(), QUrl::fromLocalFile(path));
    EXPECT_TRUE(e.isPreviewRunning());
}

TEST_F(RecordingEngineTest, AudioFailuresReadAsRecordingFailures)
{
    grant(PermissionKind::microphone);
    QSettings().setValue(RecordingSettingsStore::modeKey, QStringLiteral("audioOnly"));
    RecordingEngine &e = makeEngine();

    backend->audioRecorderError = QStringLiteral("無法建立錄音器");
    e.startRecording();
    EXPECT_EQ(e.statusMessage(), QStringLiteral("錄製失敗：無法建立錄音器"));
    backend->audioRecorderError.reset();

    e.startRecording();
    e.stopRecording();
    backend->finishAudio(false);
    ASSERT_TRUE(waitFor([&] { return !e.isRecording(); }));
    EXPECT_EQ(e.statusMessage(), QStringLiteral("錄音失敗"));
    EXPECT_TRUE(e.lastOutputURL().isEmpty());

    e.startRecording();
    backend->failAudio(QStringLiteral("麥克風中斷"));
    ASSERT_TRUE(waitFor([&] { return !e.isRecording(); }));
    EXPECT_EQ(e.statusMessage(), QStringLiteral("錄音失敗：麥克風中斷"));
    EXPECT_TRUE(e.activeOutputURL().isEmpty());

    e.startRecording();
    EXPECT_TRUE(e.isRecording()) << "the engine can record again";
}

TEST_F(RecordingEngineTest, StopEndsTheKindOfRecordingThatWasStarted)
{
    grantBoth();
    RecordingEngine &e = makeEngine();
    startMovie();
    e.setMode(RecordingMode::audioOnly);
    e.stopRecording();
    EXPECT_EQ(backend->calls.last(), QStringLiteral("stopMovie"));
}

TEST_F(RecordingEngineTest, ElapsedTimeTicksWhileRecordingAndKeepsTheFinalValue)
{
    grant(PermissionKind::microphone);
    QSettings().setValue(RecordingSettingsStore::modeKey, QStringLiteral("audioOnly"));
    RecordingEngine &e = makeEngine();
    e.startRecording();
    EXPECT_EQ(e.elapsedTime(), 0.0);
    QSignalSpy ticks(&e, &RecordingEngine::elapsedTimeChanged);
    ASSERT_TRUE(waitFor([&] { return e.elapsedTime() >= 0.5; }));
    EXPECT_GE(ticks.count(), 2);
    e.stopRecording();
    backend->finishAudio(true);
    ASSERT_TRUE(waitFor([&] { return !e.isRecording(); }));
    const double finalTime = e.elapsedTime();
    QTest::qWait(450);
    EXPECT_EQ(e.elapsedTime(), finalTime);
    EXPECT_GT(finalTime, 0.4);
}

TEST_F(RecordingEngineTest, TwoStartsWithinOneSecondNeverShareAFile)
{
    grant(PermissionKind::microphone);
    QSettings().setValue(RecordingSettingsStore::modeKey, QStringLiteral("audioOnly"));
    RecordingEngine &e = makeEngine();
    QStringList paths;
    for (int take = 0; take < 3; ++take) {
        e.startRecording();
        const QString path = e.activeOutputURL().toLocalFile();
        QFile(path).open(QIODevice::WriteOnly); // the recorder creates its file
        e.stopRecording();
        backend->finishAudio(true);
        ASSERT_TRUE(waitFor([&] { return !e.isRecording(); }));
        paths << path;
    }
    paths.removeDuplicates();
    EXPECT_EQ(paths.size(), 3);
}

TEST_F(RecordingEngineTest, ChoosingAnOutputFolderAdoptsAndStoresItUnlessCancelled)
{
    RecordingEngine &e = makeEngine();
    FakeDesktopFiles desktop;
    e.setDesktopFileServices(&desktop);
    const QUrl before = e.outputDirectory();
    e.chooseOutputDirectory();
    EXPECT_EQ(desktop.asked, (QStringList { "選擇錄影輸出資料夾", "使用此資料夾", before.toLocalFile() }));
    EXPECT_EQ(e.outputDirectory(), before) << "a cancelled chooser changes nothing";
    EXPECT_EQ(e.statusMessage(), QStringLiteral("尚未錄影"));

    desktop.answer = QUrl::fromLocalFile(outputFolder.filePath(QStringLiteral("chosen")));
    e.chooseOutputDirectory();
    EXPECT_EQ(e.outputDirectory(), *desktop.answer);
    EXPECT_EQ(QSettings().value(RecordingSettingsStore::outputDirectoryKey).toString(),
        outputFolder.filePath(QStringLiteral("chosen")));
    EXPECT_EQ(e.statusMessage(), QStringLiteral("輸出資料夾已更新"));
}

TEST_F(RecordingEngineTest, RevealingShowsOnlyAFinishedFile)
{
    grant(PermissionKind::microphone);
    QSettings().setValue(RecordingSettingsStore::modeKey, QStringLiteral("audioOnly"));
    RecordingEngine &e = makeEngine();
    FakeDesktopFiles desktop;
    e.setDesktopFileServices(&desktop);
    e.revealLastOutput();
    EXPECT_TRUE(desktop.revealed.isEmpty());

    e.startRecording();
    e.stopRecording();
    backend->finishAudio(true);
    ASSERT_TRUE(waitFor([&] { return !e.isRecording(); }));
    e.revealLastOutput();
    EXPECT_EQ(desktop.revealed, QList<QUrl> { e.lastOutputURL() });
}

} // namespace
