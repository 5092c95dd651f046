#include "HeardSpeech.h"

#include <algorithm>

namespace lumetra {
namespace {

// As much of the earlier runs as the alignment ever compares.
constexpr qsizetype keptCharacters = 32;

// A run's partial results grow; a transcript that is shorter and does not open as the last one
// did belongs to a new run (a revision of the run's last words keeps its opening).
bool startsNewRun(const QString &previous, const QString &transcript)
{
    if (transcript.size() >= previous.size())
        return false;
    const qsizetype opening = std::min<qsizetype>(2, previous.size());
    return transcript.size() * 2 <= previous.size() || !transcript.startsWith(QStringView(previous).left(opening));
}

} // namespace

HeardSpeech HeardSpeech::after(const QString &transcript) const
{
    if (!startsNewRun(currentRun, transcript)) {
        const qsizetype added = std::max<qsizetype>(transcript.size() - currentRun.size(), 0);
        return { earlierRuns, transcript, charactersSinceAdvance + added, charactersSinceSentenceEnded + added };
    }
    return { (earlierRuns + currentRun).right(keptCharacters), transcript, charactersSinceAdvance + transcript.size(),
        charactersSinceSentenceEnded + transcript.size() };
}

} // namespace lumetra
