#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace lumetra {

// The characters' weights summed, weighed as below.
double stretchWeight(std::span<const char32_t> characters, double ideographWeight);

// The heaviest stretch of the needle that the haystack holds unchanged, in the same order: the
// sum of its characters' weights, an ideograph weighing `ideographWeight` and any other character
// 1. One ideograph says about as much about where a speaker is as a short English word does.
double longestVerbatimStretchWeight(
    std::span<const char32_t> needle, std::span<const char32_t> haystack, double ideographWeight);

// The weight of the best in-order alignment of part of the needle with part of the haystack,
// allowing the slips of a recogniser: each character in common adds its weight, each character
// heard in the place of another, heard extra or not heard takes off half of its weight. A chunk
// read with a third of its characters misheard keeps most of its weight; shared stock phrases
// give only the weight of the phrase.
double inOrderAlignmentWeight(
    std::span<const char32_t> needle, std::span<const char32_t> haystack, double ideographWeight);

// The same alignment held to the needle's end, per haystack position: element j is the weight of
// the best alignment ending with haystack[j - 1] in common, less the full weight of the needle's
// characters after the one it ends with (0 at j = 0, never below 0). Where the latest words are
// heard, rather than where most of them are.
std::vector<double> latestInOrderAlignmentWeights(
    std::span<const char32_t> needle, std::span<const char32_t> haystack, double ideographWeight);

// The same weights for alignments that begin where a reader begins: within `slack` characters of
// the haystack's beginning or of one of `starts` (where sentences begin), the words heard before
// them left out free, or with one of the needle's first `slack` characters. Slack, because the
// first words heard are the likeliest misheard. An aside running into a sentence halfway through
// (…產品設計 then 把關鍵的, of 統計臨時的產品設計 and 都把關鍵的工具) begins at none of them.
std::vector<double> latestAnchoredAlignmentWeights(std::span<const char32_t> needle, std::span<const char32_t> haystack,
    std::span<const std::size_t> starts, std::size_t slack, double ideographWeight);

// The same weights, and per haystack position how many of the needle's characters that
// alignment leaves after the one it ends with: heard after it, and most likely misheard.
struct LatestInOrderAlignment {
    std::vector<double> weightByEnd;
    std::vector<std::size_t> heardAfterByEnd;
};
LatestInOrderAlignment latestInOrderAlignment(
    std::span<const char32_t> needle, std::span<const char32_t> haystack, double ideographWeight);

} // namespace lumetra
