#include "ScriptParser.h"
#include "ScriptTextGenerator.h"

#include <benchmark/benchmark.h>

using namespace lumetra;

namespace {

void BM_ParseSampleSizedScript(benchmark::State &state)
{
    // About the size of the built-in sample: a few sections and paragraphs, ~300 characters.
    const QString sampleSizedScript = lumetra::testing::longScript(300, 7);
    for (auto _ : state)
        benchmark::DoNotOptimize(ScriptParser::parse(sampleSizedScript));
}
BENCHMARK(BM_ParseSampleSizedScript);

void BM_Parse100000CharacterScript(benchmark::State &state)
{
    const QString script = lumetra::testing::longScript(100000);
    for (auto _ : state)
        benchmark::DoNotOptimize(ScriptParser::parse(script));
    state.counters["chunks"] = static_cast<double>(ScriptParser::parse(script).paragraphs().size());
}
BENCHMARK(BM_Parse100000CharacterScript)->Unit(benchmark::kMillisecond);

void BM_NormalizedReadableTextOf30Characters(benchmark::State &state)
{
    const QString chunk = QStringLiteral("今天這支影片，我想跟你聊一個很多人做 AI 工具時會忽略的問題。");
    for (auto _ : state)
        benchmark::DoNotOptimize(ScriptParser::normalizedReadableText(chunk));
}
BENCHMARK(BM_NormalizedReadableTextOf30Characters);

void BM_NormalizedReadableTextOfMixedScript(benchmark::State &state)
{
    const QString chunk = QStringLiteral("Café déjà vu 👩‍💻，İstanbul 與 e\u0301 的問題？");
    for (auto _ : state)
        benchmark::DoNotOptimize(ScriptParser::normalizedReadableText(chunk));
}
BENCHMARK(BM_NormalizedReadableTextOfMixedScript);

} // namespace

BENCHMARK_MAIN();
