#pragma once

#include "VoiceSyncAligner.h"

#include <QStringList>

#include <cstdint>
#include <vector>

namespace lumetra::bench {

// How the simulated recogniser behaves; the presenter's own habits (speed, pauses, skips, asides)
// are drawn from the seed.
struct PresenterOptions {
    std::uint32_t seed = 1;
    bool simplifiedOutput = false; // the recogniser writes Simplified characters
    double misrecognisedShare = 0; // share of characters heard wrong (mostly replaced, some lost or added)
    double partialInterval = 0.2; // seconds between partial results
    double asideShare = 0.03; // share of sentences the presenter follows with an unscripted one
};

// What following the presenter looked like over one talk.
struct FollowFigures {
    std::int64_t updates = 0;
    std::int64_t updatesWithinOneChunk = 0; // Voice Sync chunk at most one from the presenter's
    std::int64_t worstLead = 0; // chunks ahead of the presenter, at most, outside re-read sentences
    std::int64_t worstLeadWhileRereading = 0;
    std::int64_t worstLag = 0; // chunks behind the presenter, at most
    double longestReadingWithoutAdvance = 0; // seconds of reading the script while the spoken count stood still
    // The same, counting only reading while the Voice Sync chunk was behind the presenter's: a
    // position ahead that waits for the presenter to catch up has not lost him.
    double longestReadingBehindWithoutAdvance = 0;
    std::int64_t readChunks = 0;
    // Read chunks the Voice Sync chunk got to (or beyond) before the presenter started the
    // second chunk after them.
    std::int64_t reachedChunks = 0;
    // Per read chunk that was reached: seconds from the presenter starting it to the Voice Sync
    // chunk reaching it (negative when it was there first).
    std::vector<double> reachDelays;

    double shareWithinOneChunk() const
    {
        return updates == 0 ? 0 : static_cast<double>(updatesWithinOneChunk) / static_cast<double>(updates);
    }
    bool isStuck() const { return longestReadingWithoutAdvance >= 10; }
    bool isStuckBehind() const { return longestReadingBehindWithoutAdvance >= 10; }
    bool reachedEveryReadChunk() const { return reachedChunks == readChunks; }
};

// The presenter reads the aligner's script from the start to the end at a pace of their own,
// now and then skipping a sentence (rarely several), re-reading the previous one, adding one of
// `asides` or pausing for several seconds. The recogniser's partial results lag the voice, its
// runs end at about every second sentence end and sometimes restart mid-sentence, and each update
// goes through the aligner's decision with the position carried as the model carries it.
FollowFigures followPresenter(
    const VoiceSyncAligner &aligner, const QStringList &asides, const PresenterOptions &options);

} // namespace lumetra::bench
