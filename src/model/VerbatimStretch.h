#pragma once

#include <span>

namespace lumetra {

// The heaviest stretch of the needle that the haystack holds unchanged, in the same order: the
// sum of its characters' weights, an ideograph weighing `ideographWeight` and any other character
// 1. One ideograph says about as much about where a speaker is as a short English word does.
double longestVerbatimStretchWeight(
    std::span<const char32_t> needle, std::span<const char32_t> haystack, double ideographWeight);

} // namespace lumetra
