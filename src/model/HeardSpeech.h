#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

namespace lumetra {

// What the recogniser heard lately, in readable characters. Each recognition run's transcript
// starts from nothing, so the first words of a run say little on their own; joined to the end of
// the runs before, they continue a sentence the alignment can follow.
struct HeardSpeech {
    QString earlierRuns; // the latest characters of the runs before the current one
    QString currentRun; // the current run's transcript
    // Readable characters heard since the spoken count last moved or the presenter was last found
    // re-reading: how much he has said without being found, whatever the recogniser's pace of
    // partial results.
    std::int64_t charactersSinceAdvance = 0;
    // Readable characters heard since the spoken count last passed the end of a sentence: the
    // words that finished it are no evidence for a move on from there. Moves within a sentence
    // leave it, since one word misheard as the current sentence's (常常) can move the count a
    // little while the presenter reads a sentence further on.
    std::int64_t charactersSinceSentenceEnded = 0;

    // The state after a transcript arrives (in readable form).
    HeardSpeech after(const QString &transcript) const;
    // The state once the spoken count has moved, past the end of a sentence or not.
    HeardSpeech afterCountMoved(bool passedSentenceEnd) const
    {
        return { earlierRuns, currentRun, 0, passedSentenceEnd ? 0 : charactersSinceSentenceEnded };
    }
    // The earlier runs' end followed by the current run.
    QString recent() const { return earlierRuns + currentRun; }

    bool operator==(const HeardSpeech &) const = default;
};

} // namespace lumetra
