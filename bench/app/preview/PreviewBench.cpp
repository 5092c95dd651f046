// CPU share of the whole process while a 1280×720, 30 frames-per-second synthetic camera is
// previewed in the recording panel on a real display (Xvfb), without and with a movie recording.
#include "LowLatencyAudioStream.h"
#include "ProcessCpu.h"
#include "SyntheticCameraPanel.h"
#include "TestSettingsSandbox.h"
#include "recording/RecordingPreviewArea.h"
#include "recording/RecordingPreviewView.h"

#include <QApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

using namespace lumetra;
using namespace lumetra::bench;

namespace {

constexpr int measuredMilliseconds = 10000;

// Counts the preview's paints: proof that the frames reach the screen while the CPU is measured.
class PaintCounter final : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

struct Share {
    double cpu = 0; // of one core
    double paintsPerSecond = 0;
};

Share measure(PaintCounter &counter)
{
    runEventsFor(1000); // settle
    const int paintsBefore = counter.paints;
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    runEventsFor(measuredMilliseconds);
    const double seconds = wall.nsecsElapsed() / 1e9;
    return { (processCpuSeconds() - cpuBefore) / seconds, (counter.paints - paintsBefore) / seconds };
}

// Arg 0: the camera captured with the panel's window closed, then the same with the window shown.
// Arg 1: the window shown while a movie records.
void BM_PreviewCpuShare720p30(benchmark::State &state)
{
    const bool recording = state.range(0) != 0;
    SyntheticCameraPanel setup(1280, 720);
    PaintCounter counter;
    setup.panel->previewArea()->previewView()->installEventFilter(&counter);
    if (!waitFor([&] { return setup.engine->isPreviewRunning(); })) {
        state.SkipWithError(setup.engine->statusMessage().toStdString().c_str());
        return;
    }
    for (auto _ : state) {
        if (!recording) {
            const Share captureOnly = measure(counter);
            state.counters["capture_only_cpu"] = captureOnly.cpu;
        }
        setup.window->show();
        if (recording) {
            setup.engine->startRecording();
            if (!waitFor([&] { return setup.engine->isRecording(); })) {
                state.SkipWithError(setup.engine->statusMessage().toStdString().c_str());
                return;
            }
        }
        const Share shown = measure(counter);
        state.counters[recording ? "preview_and_recording_cpu" : "with_preview_cpu"] = shown.cpu;
        state.counters["preview_paints_per_s"] = shown.paintsPerSecond;
        if (!recording)
            state.counters["preview_extra_cpu"] = shown.cpu - state.counters["capture_only_cpu"];
        state.SetIterationTime(measuredMilliseconds / 1000.0);
        if (recording) {
            setup.engine->stopRecording();
            waitFor([&] { return !setup.engine->isRecording(); });
        }
        setup.window->hide();
    }
    state.SetLabel(recording ? "preview shown, recording a movie" : "capture alone, then preview shown");
}
BENCHMARK(BM_PreviewCpuShare720p30)->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("LumetraBench"));
    QApplication::setApplicationName(QStringLiteral("LumetraBench"));
    lumetra::testing::redirectSettingsToTemporaryFolder();
    lumetra::testing::LowLatencyAudioStream lowLatencyAudio;
    lowLatencyAudio.start();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
