// Start and finish latency of real recordings and the CPU they take, with a synthetic camera and
// the test script's PulseAudio microphone.
#include "GStreamerCaptureBackend.h"
#include "LowLatencyAudioStream.h"
#include "PermissionService.h"
#include "RecordingEngine.h"
#include "RecordingSettingsStore.h"
#include "TestSettingsSandbox.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace lumetra;

namespace {

class NothingRestricted final : public SystemAccessProbe {
public:
    bool isRestricted(PermissionKind) const override { return false; }
};

// Runs the event loop without spinning (a busy wait would spoil the CPU figures) until `condition`
// holds, checking it every millisecond.
bool waitFor(const std::function<bool()> &condition, int milliseconds = 10000)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void runEventsFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

double processCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QString syntheticCamera(int width, int height)
{
    return QStringLiteral("videotestsrc is-live=true ! capsfilter caps=video/x-raw,width=%1,height=%2,framerate=30/1")
        .arg(width)
        .arg(height);
}

// One engine on the real capture platform, recording into a temporary folder.
struct Recorder {
    Recorder(RecordingMode mode, int width = 1280, int height = 720)
    {
        QSettings().setValue(RecordingSettingsStore::outputDirectoryKey, folder.path());
        QSettings().setValue(RecordingSettingsStore::modeKey, recordingModeRawValue(mode));
        permissions.setDecision(PermissionKind::camera, true);
        permissions.setDecision(PermissionKind::microphone, true);
        GStreamerCaptureBackend::Options options;
        options.cameras = QList<GStreamerCaptureBackend::SyntheticCamera> {
            { { QStringLiteral("synthetic:0"), QStringLiteral("Synthetic Camera") }, syntheticCamera(width, height) }
        };
        auto owned = std::make_unique<GStreamerCaptureBackend>(std::move(options));
        backend = owned.get();
        QObject::connect(backend, &GStreamerCaptureBackend::firstEncodedBuffer, backend,
            [this](bool video) { (video ? firstVideo : firstAudio) = clock.nsecsElapsed() / 1e6; });
        engine = std::make_unique<RecordingEngine>(std::move(owned), &permissions);
        if (mode == RecordingMode::cameraAndMicrophone)
            waitFor([&] { return engine->isPreviewRunning(); });
    }

    // Starts; returns when the engine records.
    bool start()
    {
        firstVideo = firstAudio = -1;
        clock.start();
        engine->startRecording();
        return waitFor([&] { return engine->isRecording(); });
    }

    // Stops; returns the milliseconds until the finished file was reported, or -1.
    double stop()
    {
        QElapsedTimer stopping;
        stopping.start();
        engine->stopRecording();
        if (!waitFor([&] { return !engine->isRecording(); }))
            return -1;
        return stopping.nsecsElapsed() / 1e6;
    }

    QTemporaryDir folder;
    PermissionService permissions { nullptr, std::make_shared<NothingRestricted>() };
    GStreamerCaptureBackend *backend = nullptr;
    std::unique_ptr<RecordingEngine> engine;
    QElapsedTimer clock;
    double firstVideo = -1;
    double firstAudio = -1;
};

void reportFailure(benchmark::State &state, const Recorder &recorder)
{
    state.SkipWithError(recorder.engine->statusMessage().toStdString().c_str());
}

// startRecording() until the first encoded video and audio left their encoders.
void BM_MovieStartToFirstEncodedMedia(benchmark::State &state)
{
    Recorder recorder(RecordingMode::cameraAndMicrophone, int(state.range(0)), int(state.range(1)));
    double videoTotal = 0;
    double audioTotal = 0;
    for (auto _ : state) {
        if (!recorder.start() || !waitFor([&] { return recorder.firstVideo >= 0 && recorder.firstAudio >= 0; }, 5000)) {
            reportFailure(state, recorder);
            return;
        }
        state.SetIterationTime(std::max(recorder.firstVideo, recorder.firstAudio) / 1000);
        videoTotal += recorder.firstVideo;
        audioTotal += recorder.firstAudio;
        recorder.stop();
    }
    state.counters["first_video_ms"] = videoTotal / double(state.iterations());
    state.counters["first_audio_ms"] = audioTotal / double(state.iterations());
}
BENCHMARK(BM_MovieStartToFirstEncodedMedia)
    ->Args({ 1920, 1080 })
    ->Args({ 1280, 720 })
    ->UseManualTime()
    ->Iterations(8)
    ->Unit(benchmark::kMillisecond);

void BM_AudioStartToFirstEncodedAudio(benchmark::State &state)
{
    Recorder recorder(RecordingMode::audioOnly);
    for (auto _ : state) {
        if (!recorder.start() || !waitFor([&] { return recorder.firstAudio >= 0; }, 5000)) {
            reportFailure(state, recorder);
            return;
        }
        state.SetIterationTime(recorder.firstAudio / 1000);
        recorder.stop();
    }
}
BENCHMARK(BM_AudioStartToFirstEncodedAudio)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

// stopRecording() until the finished file is reported, after two seconds of recording.
void BM_StopToFinishedFile(benchmark::State &state)
{
    const auto mode = state.range(0) ? RecordingMode::cameraAndMicrophone : RecordingMode::audioOnly;
    Recorder recorder(mode, 1920, 1080);
    for (auto _ : state) {
        if (!recorder.start()) {
            reportFailure(state, recorder);
            return;
        }
        runEventsFor(2000);
        const double finishing = recorder.stop();
        if (finishing < 0 || recorder.engine->lastOutputURL().isEmpty()) {
            reportFailure(state, recorder);
            return;
        }
        state.SetIterationTime(finishing / 1000);
    }
    state.SetLabel(mode == RecordingMode::audioOnly ? "audio only" : "movie 1920x1080");
}
BENCHMARK(BM_StopToFinishedFile)->Arg(1)->Arg(0)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// Share of one core the whole process uses over ten seconds: previewing only, and recording a movie.
void BM_CpuShareAt720p30(benchmark::State &state)
{
    const bool recording = state.range(0) != 0;
    Recorder recorder(RecordingMode::cameraAndMicrophone, 1280, 720);
    for (auto _ : state) {
        if (recording && !recorder.start()) {
            reportFailure(state, recorder);
            return;
        }
        runEventsFor(1000); // settle
        const double cpuBefore = processCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        runEventsFor(10000);
        state.counters["cpu_share_of_one_core"] = (processCpuSeconds() - cpuBefore) / (wall.nsecsElapsed() / 1e9);
        state.SetIterationTime(wall.nsecsElapsed() / 1e9);
        if (recording)
            recorder.stop();
    }
    state.SetLabel(recording ? "recording movie" : "preview only");
}
BENCHMARK(BM_CpuShareAt720p30)->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LumetraBench"));
    QCoreApplication::setApplicationName(QStringLiteral("LumetraBench"));
    lumetra::testing::redirectSettingsToTemporaryFolder();
    lumetra::testing::LowLatencyAudioStream lowLatencyAudio;
    lowLatencyAudio.start();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
