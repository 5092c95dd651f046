#include "AudioFollowFigures.h"

#include <algorithm>

namespace lumetra::bench {
namespace {

// The model's chunk at `time`: the last move at or before it.
std::optional<std::int64_t> modelChunkAt(const std::vector<ChunkMove> &moves, double time)
{
    std::optional<std::int64_t> chunk;
    for (const ChunkMove &move : moves) {
        if (move.time > time)
            break;
        chunk = move.chunk;
    }
    return chunk;
}

// The chunk being read at `time`: the last scripted sentence begun by then.
std::optional<std::int64_t> speakerChunkAt(const std::vector<TimedSentence> &reading, double time)
{
    std::optional<std::int64_t> chunk;
    for (const TimedSentence &sentence : reading) {
        if (sentence.start > time)
            break;
        if (sentence.chunk >= 0)
            chunk = sentence.chunk;
    }
    return chunk;
}

std::optional<double> median(std::vector<double> values)
{
    if (values.empty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

AudioFollowFigures audioFollowFigures(
    const std::vector<TimedSentence> &reading, const std::vector<ChunkMove> &moves, double until, double step)
{
    AudioFollowFigures figures;

    // In order: each read chunk is looked for only after the move that reached the one before.
    std::size_t next = 0;
    std::vector<double> delays;
    std::vector<double> sinceStarts;
    for (const TimedSentence &sentence : reading) {
        if (sentence.chunk < 0)
            continue;
        ChunkReach reach { sentence.chunk, sentence.start, sentence.end, std::nullopt, false };
        for (std::size_t i = next; i < moves.size(); ++i) {
            if (moves[i].chunk == sentence.chunk) {
                reach.reachedAt = moves[i].time;
                reach.atStart = i == 0;
                next = i;
                break;
            }
        }
        ++figures.readChunks;
        if (reach.reachedAt) {
            ++figures.reachedInOrder;
            if (!reach.atStart) {
                delays.push_back(*reach.reachedAt - reach.audioEnd);
                sinceStarts.push_back(*reach.reachedAt - reach.audioStart);
                if (*reach.reachedAt < reach.audioStart)
                    ++figures.reachedBeforeAudioStart;
            }
        }
        figures.reaches.push_back(reach);
    }
    figures.medianDelay = median(std::move(delays));
    figures.medianSinceStart = median(std::move(sinceStarts));

    for (std::size_t i = 1; i < moves.size(); ++i) {
        if (moves[i].chunk && moves[i - 1].chunk && *moves[i].chunk < *moves[i - 1].chunk)
            figures.movedBack = true;
    }

    if (reading.empty())
        return figures;
    for (double time = reading.front().start; time <= until; time += step) {
        const std::optional<std::int64_t> model = modelChunkAt(moves, time);
        const std::optional<std::int64_t> speaker = speakerChunkAt(reading, time);
        if (!model || !speaker)
            continue;
        const std::int64_t ahead = *model - *speaker;
        figures.largestLead = std::max(figures.largestLead, ahead);
        figures.largestLag = std::max(figures.largestLag, -ahead);
        figures.secondsSampled += step;
        if (ahead > 0)
            figures.secondsAhead += step;
        if (ahead < 0)
            figures.secondsBehind += step;
        if (ahead > 1)
            figures.secondsMoreThanOneAhead += step;
    }
    return figures;
}

} // namespace lumetra::bench
