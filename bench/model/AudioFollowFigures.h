#pragma once

#include "SpokenReading.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lumetra::bench {

// The model's Voice Sync chunk from `time` on (seconds from the start of the audio; the first
// entry is where Voice Sync started, before the audio).
struct ChunkMove {
    double time = 0;
    std::optional<std::int64_t> chunk;
};

// When the model reached a read chunk, against the end of that chunk's audio.
struct ChunkReach {
    std::int64_t chunk = 0;
    double audioStart = 0;
    double audioEnd = 0;
    std::optional<double> reachedAt; // empty: never reached in order
    bool atStart = false; // the model started on this chunk, so reaching it says nothing
};

struct AudioFollowFigures {
    std::vector<ChunkReach> reaches; // one per read chunk, in reading order
    std::int64_t readChunks = 0;
    std::int64_t reachedInOrder = 0;
    std::int64_t largestLead = 0; // chunks the model was ahead of the chunk being read
    std::int64_t largestLag = 0; // chunks it was behind
    double secondsSampled = 0;
    double secondsAhead = 0; // the model on a later chunk than the speaker
    double secondsBehind = 0; // on an earlier one
    double secondsMoreThanOneAhead = 0;
    // Median of (reached − audio end) over the reached chunks the model did not start on.
    std::optional<double> medianDelay;
    // Median of (reached − audio start) over the same chunks: below zero, the model shows a chunk
    // before the speaker begins it.
    std::optional<double> medianSinceStart;
    bool movedBack = false;
    std::int64_t reachedBeforeAudioStart = 0; // of the chunks the model did not start on

    double reachedShare() const
    {
        return readChunks == 0 ? 0.0 : static_cast<double>(reachedInOrder) / static_cast<double>(readChunks);
    }
};

// Compares the model's chunk over time with the sentence being read, sampled every `step`
// seconds from the first sentence's start to `until`. During a pause or an unscripted sentence
// the speaker counts as still on the last scripted chunk read.
AudioFollowFigures audioFollowFigures(
    const std::vector<TimedSentence> &reading, const std::vector<ChunkMove> &moves, double until, double step = 0.01);

} // namespace lumetra::bench
