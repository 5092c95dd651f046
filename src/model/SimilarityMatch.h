#pragma once

#include <cstdint>

namespace lumetra {

// Where the latest words best match inside one chunk's readable text.
struct SimilarityMatch {
    double score = 0; // share of the words' distinct characters found, 0 … 1
    std::int64_t endOffset = 0; // just after the best-matching stretch, in the chunk's readable characters

    bool operator==(const SimilarityMatch &) const = default;
};

} // namespace lumetra
