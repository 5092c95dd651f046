#pragma once

#include "VoiceSyncAligner.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace lumetra::testing {

// The chunks of a script made of `sentences`.
ScriptChunkIndex chunksOf(const QStringList &sentences);

// The position at the start of chunk `chunk`, nothing heard yet.
VoiceSyncPosition startOf(const ScriptChunkIndex &chunks, std::int64_t chunk);

// Where a series of transcripts left the Voice Sync position, and the furthest chunk it showed.
struct Spoken {
    VoiceSyncPosition position;
    std::int64_t furthestChunk = 0;
};

// Feeds a recogniser's successive transcripts, one every `interval` seconds, applying each
// decision as the model does.
Spoken hear(const VoiceSyncAligner &aligner, VoiceSyncPosition position, const QStringList &transcripts, double &now,
    double interval);

// Feeds the growing partial transcripts of one sentence, a character every quarter second, each
// following what the same recognition run heard before.
Spoken speak(const VoiceSyncAligner &aligner, VoiceSyncPosition position, const QString &sentence, double &now,
    const QString &heardBefore = QString());

} // namespace lumetra::testing
