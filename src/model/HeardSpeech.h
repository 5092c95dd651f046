#pragma once

#include <QString>
#include <QStringView>

namespace lumetra {

// What the recogniser heard lately, in readable characters. Each recognition run's transcript
// starts from nothing, so the first words of a run say little on their own; joined to the end of
// the runs before, they continue a sentence the alignment can follow.
struct HeardSpeech {
    QString earlierRuns; // the latest characters of the runs before the current one
    QString currentRun; // the current run's transcript

    // The state after a transcript arrives (in readable form).
    HeardSpeech after(const QString &transcript) const;
    // The earlier runs' end followed by the current run.
    QString recent() const { return earlierRuns + currentRun; }

    bool operator==(const HeardSpeech &) const = default;
};

} // namespace lumetra
