#pragma once

#include <cstdint>

namespace lumetra {

// The chunk a transcript was aligned to.
struct VoiceSyncMatch {
    std::int64_t index = 0; // chunk position in the document
    double score = 0; // 0 … 1
    std::int64_t readableCharacterPosition = 0; // global readable offset just after the matched stretch

    bool operator==(const VoiceSyncMatch &) const = default;
};

} // namespace lumetra
