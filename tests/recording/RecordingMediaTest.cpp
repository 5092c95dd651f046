// Recordings made for real: GStreamer encoders and muxers, the test script's PulseAudio microphone
// and a synthetic camera.
#include "GStreamerCaptureBackend.h"
#include "LowLatencyAudioStream.h"
#include "MediaProbe.h"
#include "PermissionService.h"
#include "QStringPrinter.h"
#include "RecordingEngine.h"
#include "RecordingSettingsStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::MediaFacts;
using lumetra::testing::probeMedia;

namespace {

using Options = GStreamerCaptureBackend::Options;

class NothingRestricted final : public SystemAccessProbe {
public:
    bool isRestricted(PermissionKind) const override { return false; }
};

Options syntheticCamera(const QString &description = QStringLiteral("videotestsrc is-live=true pattern=ball"))
{
    Options options;
    options.cameras = QList<GStreamerCaptureBackend::SyntheticCamera> {
        { { QStringLiteral("synthetic:0"), QStringLiteral("Synthetic Camera") }, description }
    };
    return options;
}

class LowLatencyAudio final : public ::testing::Environment {
public:
    void SetUp() override { m_stream.start(); }
    void TearDown() override { m_stream.stop(); }

private:
    lumetra::testing::LowLatencyAudioStream m_stream;
};

[[maybe_unused]] const auto *const lowLatencyAudio = ::testing::AddGlobalTestEnvironment(new LowLatencyAudio);

class RecordingMediaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("PULSE_SERVER"))
            GTEST_SKIP() << "needs the audio server of scripts/test-services.sh";
        QSettings().clear();
        QSettings().setValue(RecordingSettingsStore::outputDirectoryKey, folder.filePath(QStringLiteral("takes")));
        permissions.setDecision(PermissionKind::camera, true);
        permissions.setDecision(PermissionKind::microphone, true);
    }

    RecordingEngine &makeEngine(Options options = syntheticCamera())
    {
        engine.reset();
        engine = std::make_unique<RecordingEngine>(
            std::make_unique<GStreamerCaptureBackend>(std::move(options)), &permissions);
        return *engine;
    }

    static bool waitFor(const std::function<bool()> &condition, int milliseconds = 10000)
    {
        return QTest::qWaitFor(condition, milliseconds);
    }

    // Records for about `seconds` and returns the time from the recording's start to the stop request.
    double record(double seconds)
    {
        engine->startRecording();
        EXPECT_TRUE(waitFor([&] { return engine->isRecording(); }, 5000)) << engine->statusMessage().toStdString();
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(int(seconds * 1000));
        const double recorded = clock.elapsed() / 1000.0;
        engine->stopRecording();
        EXPECT_TRUE(waitFor([&] { return !engine->isRecording(); })) << "never a hang in the stopping state";
        return recorded;
    }

    QTemporaryDir folder;
    PermissionService permissions { nullptr, std::make_shared<NothingRestricted>() };
    std::unique_ptr<RecordingEngine> engine;
};

TEST_F(RecordingMediaTest, AudioOnlyMakesAnAacLcFileAt48kHzMono)
{
    RecordingEngine &e = makeEngine();
    e.setMode(RecordingMode::audioOnly);
    const double recorded = record(3.0);

    const QString path = e.lastOutputURL().toLocalFile();
    ASSERT_FALSE(path.isEmpty()) << e.statusMessage().toStdString();
    EXPECT_TRUE(QFileInfo(path).isFile());
    EXPECT_TRUE(path.startsWith(folder.filePath(QStringLiteral("takes/"))));
    EXPECT_TRUE(path.endsWith(QStringLiteral("_Lumetra.m4a")));
    EXPECT_EQ(e.statusMessage(), QStringLiteral("已輸出 ") + QFileInfo(path).fileName());
    EXPECT_TRUE(e.activeOutputURL().isEmpty());

    const MediaFacts facts = probeMedia(path);
    ASSERT_TRUE(facts.readable) << facts.error.toStdString();
    EXPECT_EQ(lumetra::testing::majorBrand(path), QByteArray("mp42")) << "an MPEG-4 file, not QuickTime";
    EXPECT_EQ(facts.videoCodec, QString());
    EXPECT_EQ(facts.audioCodec, QStringLiteral("audio/mpeg"));
    EXPECT_EQ(facts.audioMpegVersion, 4);
    EXPECT_EQ(facts.audioProfile, QStringLiteral("lc"));
    EXPECT_EQ(facts.sampleRate, 48000);
    EXPECT_EQ(facts.channels, 1);
    EXPECT_NEAR(facts.durationSeconds, recorded, recorded * 0.1);
}

TEST_F(RecordingMediaTest, MovieFromTheSyntheticCameraIsH264AndAacInQuickTime)
{
    RecordingEngine &e = makeEngine();
    ASSERT_TRUE(waitFor([&] { return e.isPreviewRunning(); }, 5000)) << e.statusMessage().toStdString();
    QList<QImage> frames;
    QObject::connect(&e, &RecordingEngine::previewFrameReady, &e, [&](const QImage &frame) { frames << frame; });
    const double recorded = record(3.0);

    const QString path = e.lastOutputURL().toLocalFile();
    ASSERT_FALSE(path.isEmpty()) << e.statusMessage().toStdString();
    EXPECT_TRUE(path.endsWith(QStringLiteral("_Lumetra.mov")));
    EXPECT_EQ(e.statusMessage(), QStringLiteral("已輸出 ") + QFileInfo(path).fileName());
    EXPECT_TRUE(e.isPreviewRunning()) << "the session keeps running after the recording";

    const MediaFacts facts = probeMedia(path);
    ASSERT_TRUE(facts.readable) << facts.error.toStdString();
    EXPECT_EQ(facts.container, QStringLiteral("video/quicktime"));
    EXPECT_EQ(lumetra::testing::majorBrand(path), QByteArray("qt  "));
    EXPECT_EQ(facts.videoCodec, QStringLiteral("video/x-h264"));
    EXPECT_EQ(facts.videoWidth, 1920) << "the camera offers 1920×1080, so that is what is recorded";
    EXPECT_EQ(facts.videoHeight, 1080);
    EXPECT_EQ(facts.audioCodec, QStringLiteral("audio/mpeg"));
    EXPECT_EQ(facts.sampleRate, 48000);
    EXPECT_NEAR(facts.durationSeconds, recorded, recorded * 0.1);
    QString error;
    EXPECT_TRUE(lumetra::testing::decodesToTheEnd(path, &error)) << error.toStdString();

    ASSERT_FALSE(frames.isEmpty()) << "the preview delivers frames";
    EXPECT_EQ(frames.last().width() * 9, frames.last().height() * 16) << "the preview keeps the camera's aspect";
}

TEST_F(RecordingMediaTest, AMovieOfACameraOfferingOnly720pIsRecordedAt720p)
{
    RecordingEngine &e = makeEngine(syntheticCamera(QStringLiteral(
        "videotestsrc is-live=true ! capsfilter caps=video/x-raw,width=1280,height=720,framerate=30/1")));
    ASSERT_TRUE(waitFor([&] { return e.isPreviewRunning(); }, 5000)) << e.statusMessage().toStdString();
    record(1.0);
    const MediaFacts facts = probeMedia(e.lastOutputURL().toLocalFile());
    ASSERT_TRUE(facts.readable) << e.statusMessage().toStdString();
    EXPECT_EQ(facts.videoWidth, 1280);
    EXPECT_EQ(facts.videoHeight, 720);
}

TEST_F(RecordingMediaTest, RecordingsInARowAndWithinOneSecondAreAllKeptAndValid)
{
    RecordingEngine &e = makeEngine();
    ASSERT_TRUE(waitFor([&] { return e.isPreviewRunning(); }, 5000));
    QStringList paths;
    for (int take = 0; take < 2; ++take) {
        record(0.4);
        paths << e.lastOutputURL().toLocalFile();
    }
    e.setMode(RecordingMode::audioOnly);
    for (int take = 0; take < 2; ++take) {
        record(0.4);
        paths << e.lastOutputURL().toLocalFile();
    }
    ASSERT_EQ(paths.size(), 4);
    EXPECT_EQ(QStringList(paths).removeDuplicates(), 0) << paths.join(QLatin1Char('\n')).toStdString();
    for (const QString &path : paths) {
        const MediaFacts facts = probeMedia(path);
        EXPECT_TRUE(facts.readable) << path.toStdString() << ": " << facts.error.toStdString();
        EXPECT_GT(facts.durationSeconds, 0.2) << path.toStdString();
        EXPECT_EQ(facts.audioCodec, QStringLiteral("audio/mpeg")) << path.toStdString();
    }
    EXPECT_EQ(QDir(folder.filePath(QStringLiteral("takes"))).entryList(QDir::Files).size(), 4);
}

TEST_F(RecordingMediaTest, WithoutAnyCameraTheSelectionIsClearedAndThePreviewFails)
{
    QSettings().setValue(RecordingSettingsStore::cameraIDKey, QStringLiteral("/dev/video0"));
    RecordingEngine &e = makeEngine(Options {}); // the real device monitor
    if (!e.availableCameras().isEmpty())
        GTEST_SKIP() << "this machine has a camera";
    EXPECT_EQ(e.selectedCameraID(), std::nullopt);
    EXPECT_FALSE(QSettings().contains(RecordingSettingsStore::cameraIDKey));
    e.startPreviewRequestingPermission();
    EXPECT_EQ(e.statusMessage(), QStringLiteral("預覽失敗：找不到可用的相機"));
    EXPECT_FALSE(e.isPreviewRunning());

    e.startRecording();
    EXPECT_EQ(e.statusMessage(), QStringLiteral("錄製失敗：找不到可用的相機"));
    EXPECT_FALSE(e.isRecording());
}

TEST_F(RecordingMediaTest, AnOutputFolderThatCannotBeCreatedLeavesTheEngineIdle)
{
    RecordingEngine &e = makeEngine();
    QFile plainFile(folder.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    plainFile.close();
    e.setOutputDirectory(QUrl::fromLocalFile(plainFile.fileName() + QStringLiteral("/takes")));
    e.startRecording();
    EXPECT_EQ(e.statusMessage(), QStringLiteral("錄製失敗：無法建立輸出資料夾"));
    EXPECT_FALSE(e.isRecording());
    EXPECT_TRUE(e.activeOutputURL().isEmpty());
}

TEST_F(RecordingMediaTest, ACameraFailingMidMovieEndsItAsFailedWithTheFileValidSoFar)
{
    // The camera breaks after about two seconds of frames; it starts only when the mode turns to movies.
    QSettings().setValue(RecordingSettingsStore::modeKey, QStringLiteral("audioOnly"));
    RecordingEngine &e = makeEngine(
        syntheticCamera(QStringLiteral("videotestsrc is-live=true ! video/x-raw,width=1280,height=720,framerate=30/1 "
                                       "! identity error-after=60")));
    record(0.5);
    ASSERT_FALSE(e.isPreviewRunning());
    const QUrl previous = e.lastOutputURL();
    ASSERT_FALSE(previous.isEmpty()) << e.statusMessage().toStdString();

    e.setMode(RecordingMode::cameraAndMicrophone);
    ASSERT_TRUE(waitFor([&] { return e.isPreviewRunning(); }, 5000));
    e.startRecording();
    ASSERT_TRUE(waitFor([&] { return e.isRecording(); }, 5000));
    const QString moviePath = e.activeOutputURL().toLocalFile();
    ASSERT_TRUE(waitFor([&] { return !e.isRecording(); })) << "the failure ends the recording by itself";
    EXPECT_TRUE(e.statusMessage().startsWith(QStringLiteral("錄影失敗："))) << e.statusMessage().toStdString();
    EXPECT_GT(e.statusMessage().size(), QStringLiteral("錄影失敗：").size());
    EXPECT_EQ(e.lastOutputURL(), previous);
    EXPECT_TRUE(e.activeOutputURL().isEmpty());
    EXPECT_FALSE(e.isStopping());
    EXPECT_TRUE(probeMedia(moviePath).readable) << "what was recorded before the failure is kept";

    e.setMode(RecordingMode::audioOnly);
    record(0.5);
    EXPECT_NE(e.lastOutputURL(), previous) << "the engine records again: " << e.statusMessage().toStdString();
}

TEST_F(RecordingMediaTest, AMicrophoneFailingMidRecordingIsReportedAndTheNextRecordingWorks)
{
    Options options = syntheticCamera();
    // Fails after about one second of 10 ms buffers.
    options.microphoneDescription = QStringLiteral("pulsesrc ! identity error-after=100");
    RecordingEngine &e = makeEngine(options);
    e.setMode(RecordingMode::audioOnly);
    e.startRecording();
    ASSERT_TRUE(waitFor([&] { return e.isRecording(); }, 5000));
    ASSERT_TRUE(waitFor([&] { return !e.isRecording(); }));
    EXPECT_TRUE(e.statusMessage().startsWith(QStringLiteral("錄音失敗："))) << e.statusMessage().toStdString();
    EXPECT_TRUE(e.lastOutputURL().isEmpty());

    record(0.3);
    EXPECT_FALSE(e.lastOutputURL().isEmpty()) << e.statusMessage().toStdString();
    EXPECT_TRUE(probeMedia(e.lastOutputURL().toLocalFile()).readable);
}

TEST_F(RecordingMediaTest, AFileWhoseEndDoesNotArriveInTimeIsReportedNotWaitedFor)
{
    Options options = syntheticCamera();
    // Each 10 ms buffer takes 50 ms past this point: the end of stream queues behind seconds of audio.
    options.microphoneDescription = QStringLiteral("pulsesrc ! queue max-size-time=0 max-size-buffers=0 "
                                                   "max-size-bytes=0 ! identity sleep-time=50000");
    options.finishTimeout = std::chrono::milliseconds(300);
    RecordingEngine &e = makeEngine(options);
    e.setMode(RecordingMode::audioOnly);
    QElapsedTimer stopping;
    e.startRecording();
    ASSERT_TRUE(waitFor([&] { return e.isRecording(); }, 5000));
    QTest::qWait(1000);
    stopping.start();
    e.stopRecording();
    ASSERT_TRUE(waitFor([&] { return !e.isRecording(); }, 3000));
    EXPECT_LT(stopping.elapsed(), 2000);
    EXPECT_EQ(e.statusMessage(), QStringLiteral("錄音失敗：收尾逾時，檔案可能不完整"));
    EXPECT_TRUE(e.lastOutputURL().isEmpty());
}

TEST_F(RecordingMediaTest, AFullDiskEndsTheRecordingWithItsReason)
{
    // Every write to /dev/full fails with "no space left on device".
    GStreamerCaptureBackend backend(syntheticCamera());
    std::optional<std::optional<QString>> failure;
    bool finished = false;
    QObject::connect(&backend, &CaptureBackend::audioEncodingFailed, &backend,
        [&](const std::optional<QString> &error) { failure = error; });
    QObject::connect(&backend, &CaptureBackend::audioRecordingFinished, &backend, [&](bool) { finished = true; });
    ASSERT_EQ(backend.startAudioRecording(QStringLiteral("/dev/full")), std::nullopt);
    ASSERT_TRUE(waitFor([&] { return failure.has_value() || finished; }, 5000));
    EXPECT_FALSE(finished);
    ASSERT_TRUE(failure->has_value());
    EXPECT_FALSE(failure->value().isEmpty());
}

TEST_F(RecordingMediaTest, RecordingsRunningWhenTheEngineGoesAwayAreFinishedPlayable)
{
    RecordingEngine &e = makeEngine();
    ASSERT_TRUE(waitFor([&] { return e.isPreviewRunning(); }, 5000));
    e.startRecording();
    ASSERT_TRUE(waitFor([&] { return e.isRecording(); }, 5000));
    QTest::qWait(1000);
    const QString path = e.activeOutputURL().toLocalFile();
    engine.reset();
    const MediaFacts facts = probeMedia(path);
    EXPECT_TRUE(facts.readable) << facts.error.toStdString();
    EXPECT_EQ(facts.videoCodec, QStringLiteral("video/x-h264"));
    EXPECT_GT(facts.durationSeconds, 0.5);
}

TEST_F(RecordingMediaTest, SwitchingCamerasWhilePreviewingShowsTheNewCamera)
{
    Options options;
    options.cameras = QList<GStreamerCaptureBackend::SyntheticCamera> {
        { { QStringLiteral("synthetic:wide"), QStringLiteral("Wide") },
            QStringLiteral("videotestsrc is-live=true ! capsfilter caps=video/x-raw,width=1920,height=1080") },
        { { QStringLiteral("synthetic:square"), QStringLiteral("Square") },
            QStringLiteral("videotestsrc is-live=true ! capsfilter caps=video/x-raw,width=640,height=640") }
    };
    RecordingEngine &e = makeEngine(options);
    QImage lastFrame;
    QObject::connect(&e, &RecordingEngine::previewFrameReady, &e, [&](const QImage &frame) { lastFrame = frame; });
    ASSERT_TRUE(waitFor([&] { return !lastFrame.isNull(); }, 5000)) << e.statusMessage().toStdString();
    EXPECT_EQ(lastFrame.width() * 9, lastFrame.height() * 16);

    e.setSelectedCameraID(QStringLiteral("synthetic:square"));
    EXPECT_EQ(e.statusMessage(), QStringLiteral("已切換相機：Square"));
    EXPECT_EQ(QSettings().value(RecordingSettingsStore::cameraIDKey).toString(), QStringLiteral("synthetic:square"));
    ASSERT_TRUE(waitFor([&] { return lastFrame.width() == lastFrame.height(); }, 5000))
        << "frames of the new camera arrive, aspect kept";

    e.setMode(RecordingMode::audioOnly);
    record(0.5);
    EXPECT_TRUE(e.isPreviewRunning()) << "an audio-only recording leaves the preview running";
    lastFrame = QImage();
    EXPECT_TRUE(waitFor([&] { return !lastFrame.isNull(); }, 2000));
}

} // namespace
