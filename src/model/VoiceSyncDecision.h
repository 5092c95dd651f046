#pragma once

#include "VoiceSyncMatch.h"
#include "VoiceSyncPosition.h"

#include <QString>

#include <optional>

namespace lumetra {

// What one transcript update does to the model.
struct VoiceSyncDecision {
    QString status; // the new voiceSyncStatus
    std::optional<VoiceSyncMatch> match; // the accepted match; empty when nothing moves
    VoiceSyncPosition position; // the position afterwards (unchanged without a match)
    bool shouldScroll = false; // scroll, eased, to the chunk of the spoken count

    bool operator==(const VoiceSyncDecision &) const = default;
};

} // namespace lumetra
