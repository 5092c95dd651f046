// Typing into the control window's editor holding a 100,000-character script, end to end: the key
// press, the edit reaching the model (parse included), every view of the control window following
// it and the window painted; once with the prompter window closed and once with it shown.
// Each character is timed on its own; the counters give the median and the 95th percentile.
//   QT_QPA_PLATFORM=offscreen build/bench/app/typing_bench

#include "ClickReportingTextView.h"
#include "ControlPanelView.h"
#include "ControlWindow.h"
#include "FakeCaptureBackend.h"
#include "LumetraApp.h"
#include "PrompterViewModel.h"
#include "PrompterWindow.h"
#include "ScriptEditorView.h"
#include "ScriptTextGenerator.h"
#include "TestSettingsSandbox.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

using namespace lumetra;

namespace {

constexpr std::int64_t scriptCharacters = 100000;

double percentile(std::vector<double> samples, double fraction)
{
    if (samples.empty())
        return 0;
    const auto at = static_cast<std::size_t>(fraction * double(samples.size() - 1));
    std::nth_element(samples.begin(), samples.begin() + std::ptrdiff_t(at), samples.end());
    return samples[at];
}

void typeIntoLongScript(benchmark::State &state, bool displayShown)
{
    LumetraServices services;
    services.makeCaptureBackend = [] { return std::make_unique<testing::FakeCaptureBackend>(); };
    LumetraApp app(std::move(services));
    app.start({});
    PrompterViewModel &model = app.viewModel();
    model.setScriptText(testing::longScript(scriptCharacters));
    if (displayShown)
        app.showPrompterWindow();
    ControlWindow &window = app.controlWindow();
    window.activateWindow();
    if (!QTest::qWaitForWindowExposed(&window))
        state.SkipWithError("the control window did not show");
    ClickReportingTextView &editor = window.panel().editor().textView();
    editor.setFocus();
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(int(model.scriptText().size() / 2));
    editor.setTextCursor(cursor);
    QApplication::processEvents();

    std::vector<double> milliseconds;
    bool typeLetter = true; // letters and deletions alternate, so the script keeps its length
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(&editor, typeLetter ? Qt::Key_X : Qt::Key_Backspace);
        QApplication::processEvents(); // the views follow and the windows paint
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        milliseconds.push_back(elapsed.count() * 1000);
        typeLetter = !typeLetter;
    }
    state.counters["median_ms"] = percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = percentile(milliseconds, 0.95);
    state.counters["script_chars"] = double(model.scriptText().size());
    PrompterWindow::closeInstance();
}

void BM_TypingWithoutDisplay(benchmark::State &state)
{
    typeIntoLongScript(state, false);
}
BENCHMARK(BM_TypingWithoutDisplay)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(400);

void BM_TypingWithDisplayShown(benchmark::State &state)
{
    typeIntoLongScript(state, true);
}
BENCHMARK(BM_TypingWithDisplayShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(400);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::redirectSettingsToTemporaryFolder();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
