#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace lumetra::bench {

// One sentence of a reading: a chunk of the script, or an unscripted one (chunk -1).
struct SpokenSentence {
    QString text;
    std::int64_t chunk = -1;
    // What espeak-ng reads, when not the text itself (the English words of a Mandarin test model).
    QString speech;
};

// Where a sentence's speech sits in the reading's audio, in seconds from the audio's start.
struct TimedSentence {
    QString text;
    std::int64_t chunk = -1;
    double start = 0;
    double end = 0;
};

// A WAV of a reading and the time of each sentence in it.
struct SpokenReading {
    QString wavPath;
    double duration = 0;
    std::vector<TimedSentence> sentences;
};

// espeak-ng reads each sentence into a WAV of its own; sox trims the silence around each and joins
// them with `pause` seconds of silence between sentences and `margin` seconds before the first
// and after the last, so every sentence's start and end in the joined audio is known to the
// sample. Empty when espeak-ng or sox fails.
std::optional<SpokenReading> recordReading(
    const std::vector<SpokenSentence> &sentences, const QString &folder, double pause, double margin);

} // namespace lumetra::bench
