#pragma once

#include <cstdint>

namespace lumetra {

// A half-open range of chunk positions [lowerBound, upperBound).
struct ParagraphRange {
    std::int64_t lowerBound = 0;
    std::int64_t upperBound = 0;

    bool isEmpty() const { return upperBound <= lowerBound; }
    bool contains(std::int64_t index) const { return index >= lowerBound && index < upperBound; }

    bool operator==(const ParagraphRange &) const = default;
};

} // namespace lumetra
