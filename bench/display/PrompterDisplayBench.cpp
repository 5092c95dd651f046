// One frame of the prompter at 1920 × 1080 half-way through a 100,000-character zh-TW script, the
// full re-layout after a change of font size, and the re-layout after an edit. Run under Qt's offscreen platform or
// Xvfb:
//   QT_QPA_PLATFORM=offscreen build/bench/display/display_bench
// Besides the wall time, each frame benchmark reports the share of the window it painted.

#include "DisplayTestSupport.h"
#include "PrompterDisplayView.h"
#include "ScriptTextGenerator.h"
#include "TestSettingsSandbox.h"

#include <QApplication>
#include <QPaintEvent>
#include <benchmark/benchmark.h>

#include <chrono>

using namespace lumetra;

namespace {

// A model on a 100,000-character script, shown at 1920 × 1080 with its offset half-way through.
struct LongScriptDisplay {
    LongScriptDisplay()
        : model(testing::displayModel(testing::longScript(100000)))
        , view(*model)
    {
        view.resize(1920, 1080);
        view.show();
        view.ensureLayout();
        model->setScrollOffset(model->readingContentY(std::int64_t(model->paragraphs().size()) / 2));
        testing::settle();
    }
    std::unique_ptr<PrompterViewModel> model;
    PrompterDisplayView view;
};

// Counts the pixels paint events ask for.
class PaintedPixels : public QObject {
public:
    explicit PaintedPixels(QWidget &widget) { widget.installEventFilter(this); }
    double pixels = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            for (const QRect &rect : static_cast<QPaintEvent *>(event)->region())
                pixels += double(rect.width()) * rect.height();
        return false;
    }
};

// Fixed-speed playback as the frame clock runs it: one model step of 1/60 s at the default speed,
// then the scroll and the paint it causes.
void BM_PlaybackFrame(benchmark::State &state)
{
    LongScriptDisplay display;
    PaintedPixels painted(display.view);
    display.model->play();
    auto frameTime = std::chrono::steady_clock::now();
    display.model->advanceScroll(frameTime);
    for (auto _ : state) {
        frameTime += std::chrono::microseconds(16667);
        display.model->advanceScroll(frameTime);
        QCoreApplication::processEvents();
    }
    state.counters["painted_share"] = painted.pixels / (1920.0 * 1080.0) / double(state.iterations());
}
BENCHMARK(BM_PlaybackFrame)->Unit(benchmark::kMicrosecond)->Repetitions(3)->ReportAggregatesOnly(true);

// For comparison: painting the whole window every frame.
void BM_FullRepaint(benchmark::State &state)
{
    LongScriptDisplay display;
    for (auto _ : state)
        display.view.repaint();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond)->Repetitions(3)->ReportAggregatesOnly(true);

// The whole script laid out again after the font size changes (and the midpoints reported).
void BM_RelayoutAfterFontSizeChange(benchmark::State &state)
{
    LongScriptDisplay display;
    double size = 54;
    for (auto _ : state) {
        size = size == 54 ? 56 : 54;
        display.model->setFontSize(size);
        display.view.ensureLayout();
    }
    state.counters["chunks"] = double(display.model->paragraphs().size());
}
BENCHMARK(BM_RelayoutAfterFontSizeChange)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// A keystroke in the editor: the script is parsed again and only the edited chunk is laid out
// anew; every other row keeps its layout and only moves.
void BM_RelayoutAfterEdit(benchmark::State &state)
{
    LongScriptDisplay display;
    const QString original = display.model->scriptText();
    const qsizetype middle = original.indexOf(QStringLiteral("。"), original.size() / 2);
    const QString edited = QString(original).insert(middle, QStringLiteral("好"));
    bool isEdited = false;
    for (auto _ : state) {
        isEdited = !isEdited;
        display.model->setScriptText(isEdited ? edited : original);
        display.view.ensureLayout();
    }
}
BENCHMARK(BM_RelayoutAfterEdit)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::redirectSettingsToTemporaryFolder(); // never touch the user's settings
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
