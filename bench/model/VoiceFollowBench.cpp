#include "PresenterSimulation.h"
#include "ScriptParser.h"
#include "TalkScript.h"
#include "VoiceSyncAligner.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <limits>

using namespace lumetra;

namespace {

constexpr int talkSentences = 150;
constexpr std::uint32_t talkCount = 40; // talks (seeds) per figure

// 0: the bare alignment; 1: the guard as tuned here; 2: the guard with the far-chunk score first
// proposed (0.67), which let a sentence straddling two chunks jump up to 7 chunks ahead.
std::optional<ForwardJumpGuard> guardFor(std::int64_t choice)
{
    if (choice == 0)
        return std::nullopt;
    ForwardJumpGuard guard;
    if (choice == 2)
        guard.farChunkMinimumScore = 0.67;
    return guard;
}

// Arguments: guard choice, Simplified output (0/1), misrecognised share in percent.
void BM_VoiceFollow(benchmark::State &state)
{
    bench::PresenterOptions options;
    options.simplifiedOutput = state.range(1) != 0;
    options.misrecognisedShare = static_cast<double>(state.range(2)) / 100.0;

    std::vector<VoiceSyncAligner> aligners;
    std::vector<QString> adLibs;
    for (std::uint32_t seed = 1; seed <= talkCount; ++seed) {
        const QString script = bench::talkScript(talkSentences, seed);
        aligners.emplace_back(ScriptChunkIndex(ScriptParser::parse(script)));
        aligners.back().setForwardJumpGuard(guardFor(state.range(0)));
        adLibs.push_back(bench::unscriptedSentence(script, seed));
    }

    std::vector<bench::FollowFigures> figures(talkCount);
    for (auto _ : state) {
        for (std::uint32_t i = 0; i < talkCount; ++i) {
            options.seed = i + 1;
            figures[i] = bench::followPresenter(aligners[i], adLibs[i], options);
        }
    }

    double lowestShare = std::numeric_limits<double>::max();
    double highestShare = 0;
    double shareSum = 0;
    std::int64_t updates = 0, worstLead = 0, worstLag = 0, skippedFollowed = 0, reachedEnd = 0;
    for (const auto &figure : figures) {
        lowestShare = std::min(lowestShare, figure.shareWithinOneChunk());
        highestShare = std::max(highestShare, figure.shareWithinOneChunk());
        shareSum += figure.shareWithinOneChunk();
        updates += figure.updates;
        worstLead = std::max(worstLead, figure.worstLead);
        worstLag = std::max(worstLag, figure.worstLag);
        skippedFollowed += figure.skippedSentenceFollowed ? 1 : 0;
        reachedEnd += figure.reachedLastChunk ? 1 : 0;
    }
    state.counters["chunks"] = static_cast<double>(aligners.front().chunks().count());
    state.counters["within1_min%"] = lowestShare * 100;
    state.counters["within1_max%"] = highestShare * 100;
    state.counters["within1_mean%"] = shareSum / talkCount * 100;
    state.counters["worst_lead"] = static_cast<double>(worstLead);
    state.counters["worst_lag"] = static_cast<double>(worstLag);
    state.counters["skip_followed"] = static_cast<double>(skippedFollowed);
    state.counters["reached_end"] = static_cast<double>(reachedEnd);
    state.counters["talks"] = talkCount;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * updates);
}

void voiceFollowArguments(benchmark::internal::Benchmark *benchmark)
{
    benchmark->ArgNames({ "guard", "simplified", "misheard%" });
    for (const int guard : { 0, 1, 2 })
        for (const int simplified : { 0, 1 })
            for (const int misheard : { 0, 10, 20 })
                benchmark->Args({ guard, simplified, misheard });
}

BENCHMARK(BM_VoiceFollow)->Apply(voiceFollowArguments)->Iterations(1)->Unit(benchmark::kMillisecond);

// One update with a full 32-character transcript, the window of six chunks in mid-talk.
void BM_AlignOneUpdate(benchmark::State &state)
{
    const VoiceSyncAligner aligner(ScriptChunkIndex(ScriptParser::parse(bench::talkScript(talkSentences, 1))));
    const std::vector<ScriptParagraph> &chunks = aligner.chunks().paragraphs();
    const QString transcript = chunks[70].text + chunks[71].text + chunks[72].text;
    const VoiceSyncPosition position { 70, 70, chunks[70].globalReadableStart, 0 };
    for (auto _ : state)
        benchmark::DoNotOptimize(aligner.handleVoiceSyncUpdate(transcript, position, 1.0));
}

BENCHMARK(BM_AlignOneUpdate)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
