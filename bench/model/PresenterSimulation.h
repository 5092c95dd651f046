#pragma once

#include "VoiceSyncAligner.h"

#include <cstdint>

namespace lumetra::bench {

// How the simulated presenter and recogniser behave.
struct PresenterOptions {
    std::uint32_t seed = 1;
    bool simplifiedOutput = false; // the recogniser writes Simplified characters
    double misrecognisedShare = 0; // share of characters replaced by a wrong one
    double charactersPerSecond = 4.5;
    double partialInterval = 0.2; // seconds between partial results
    double pauseAfterSentence = 0.5;
};

// What following the presenter looked like, over every update.
struct FollowFigures {
    std::int64_t updates = 0;
    std::int64_t updatesWithinOneChunk = 0; // Voice Sync chunk at most one from the speaker's
    std::int64_t worstLead = 0; // chunks ahead of the speaker, at most
    std::int64_t worstLag = 0; // chunks behind the speaker, at most
    bool skippedSentenceFollowed = false; // reached the sentence after the skipped one while it was read
    bool reachedLastChunk = false;

    double shareWithinOneChunk() const
    {
        return updates == 0 ? 0 : static_cast<double>(updatesWithinOneChunk) / static_cast<double>(updates);
    }
};

// The presenter reads the aligner's script from the start to the end, adding one unscripted
// sentence after a quarter of it, re-reading the sentence before the last one at half of it and
// skipping one sentence at about three quarters. Growing partial transcripts go through the aligner's
// update decision as the model would apply them; a recognition run ends after about every second
// sentence and the transcript starts afresh.
FollowFigures followPresenter(
    const VoiceSyncAligner &aligner, const QString &unscripted, const PresenterOptions &options);

} // namespace lumetra::bench
