#include "IdleRecordingEngine.h"
#include "PrompterViewModel.h"
#include "ScriptParser.h"
#include "ScriptTextGenerator.h"
#include "TestSettingsSandbox.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace lumetra;

namespace {

constexpr auto frameInterval = std::chrono::microseconds(16667);

// Fixed-speed playback frames; auto-loop keeps the playback going however many frames run.
void runPlaybackFrames(benchmark::State &state, PrompterViewModel &model)
{
    model.setIsAutoLoopEnabled(true);
    model.play();
    auto now = PrompterViewModel::Clock::now();
    model.advanceScroll(now);
    for (auto _ : state) {
        now += frameInterval;
        model.advanceScroll(now);
        benchmark::DoNotOptimize(model.scrollOffset());
    }
    state.counters["chunks"] = static_cast<double>(model.paragraphs().size());
}

void BM_PlaybackFrameSampleScript(benchmark::State &state)
{
    PrompterViewModel model(lumetra::testing::idleRecordingEngine());
    runPlaybackFrames(state, model);
}
BENCHMARK(BM_PlaybackFrameSampleScript);

void BM_PlaybackFrame100000CharacterScriptMeasured(benchmark::State &state)
{
    PrompterViewModel model(testing::longScript(100000), lumetra::testing::idleRecordingEngine());
    ParagraphMidpoints midpoints;
    for (std::int64_t chunk = 0; chunk < static_cast<std::int64_t>(model.paragraphs().size()); ++chunk)
        midpoints[chunk] = 150 + 120.5 * static_cast<double>(chunk);
    model.updateParagraphMidpoints(midpoints);
    runPlaybackFrames(state, model);
}
BENCHMARK(BM_PlaybackFrame100000CharacterScriptMeasured);

// One keystroke in the editor: the whole text is assigned, re-parsed, the offset clamped and the
// text marked as changed. Alternates between two texts that differ by one typed character.
void BM_Keystroke100000CharacterScript(benchmark::State &state)
{
    const QString script = testing::longScript(100000);
    const QString typed = QString(script).insert(script.size() / 2, QStringLiteral("字"));
    PrompterViewModel model(script, lumetra::testing::idleRecordingEngine());
    model.scrollToParagraph(static_cast<std::int64_t>(model.paragraphs().size()) / 2, false);
    bool flip = false;
    for (auto _ : state) {
        model.setScriptText(flip ? script : typed);
        flip = !flip;
    }
    state.counters["chunks"] = static_cast<double>(model.paragraphs().size());
}
BENCHMARK(BM_Keystroke100000CharacterScript)->Unit(benchmark::kMillisecond);

// The parse alone, to tell the model's own share of a keystroke.
void BM_Parse100000CharacterScript(benchmark::State &state)
{
    const QString script = testing::longScript(100000);
    for (auto _ : state)
        benchmark::DoNotOptimize(ScriptParser::parse(script));
}
BENCHMARK(BM_Parse100000CharacterScript)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    lumetra::testing::redirectSettingsToTemporaryFolder(); // never touch the user's settings
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
