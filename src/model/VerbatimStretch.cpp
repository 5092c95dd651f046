#include "VerbatimStretch.h"

#include <QChar>

#include <algorithm>
#include <limits>
#include <vector>

namespace lumetra {
namespace {

double weightOf(char32_t key, double ideographWeight)
{
    // Keys past the code-point range stand for character sequences (emoji, combining marks).
    const bool isCodePoint = key <= QChar::LastValidCodePoint;
    return isCodePoint && QChar::script(key) == QChar::Script_Han ? ideographWeight : 1.0;
}

} // namespace

double stretchWeight(std::span<const char32_t> characters, double ideographWeight)
{
    double weight = 0;
    for (const char32_t character : characters)
        weight += weightOf(character, ideographWeight);
    return weight;
}

double longestVerbatimStretchWeight(
    std::span<const char32_t> needle, std::span<const char32_t> haystack, double ideographWeight)
{
    // stretch[j + 1]: weight of the common stretch ending at the current needle character and haystack[j].
    std::vector<double> stretch(haystack.size() + 1, 0.0);
    double heaviest = 0;
    for (const char32_t character : needle) {
        const double weight = weightOf(character, ideographWeight);
        // Right to left, so stretch[j] still holds the previous needle character's value.
        for (std::size_t j = haystack.size(); j > 0; --j) {
            stretch[j] = haystack[j - 1] == character ? stretch[j - 1] + weight : 0.0;
            heaviest = std::max(heaviest, stretch[j]);
        }
    }
    return heaviest;
}

namespace {

// The local alignment of inOrderAlignmentWeight, one needle character per row: the heaviest
// alignment anywhere, and per haystack end the heaviest that takes in the needle's last
// character, those after its last character in common each taking off their full weight.
struct InOrderAlignment {
    double heaviest = 0;
    LatestInOrderAlignment latest;
};

// Where an alignment may begin with the needle's characters before it left out free; anywhere
// unless given.
struct Beginnings {
    std::vector<bool> haystackPositions; // per haystack position, as the alignment rows index it
    std::size_t needleCharacters = 0; // … and anywhere, with one of the needle's first few
};

// Counting the characters heard after each end only where asked: the alignment runs many times
// an update, and one caller needs them.
template <bool CountsHeardAfter>
InOrderAlignment alignInOrder(std::span<const char32_t> needle, std::span<const char32_t> haystack,
    double ideographWeight, const Beginnings *beginnings = nullptr)
{
    // previous[j] and current[j] hold the best alignment ending at the previous and current needle
    // character and haystack[j - 1].
    std::vector<double> previous(haystack.size() + 1, 0.0);
    std::vector<double> current(haystack.size() + 1, 0.0);
    std::vector<double> latestByEnd(haystack.size() + 1, 0.0);
    std::vector<std::size_t> heardAfterByEnd(CountsHeardAfter ? haystack.size() + 1 : 0, 0);
    double heaviest = 0;
    constexpr double nowhere = -std::numeric_limits<double>::infinity();
    for (std::size_t row = 0; row < needle.size(); ++row) {
        const char32_t character = needle[row];
        const double weight = weightOf(character, ideographWeight);
        const bool beginsAnywhere = !beginnings || row < beginnings->needleCharacters;
        for (std::size_t j = 1; j <= haystack.size(); ++j) {
            const double slip = weightOf(haystack[j - 1], ideographWeight) / 2;
            const bool same = haystack[j - 1] == character;
            const double aligned = previous[j - 1] + (same ? weight : -slip);
            const double begun = beginsAnywhere || beginnings->haystackPositions[j] ? 0.0 : nowhere;
            current[j] = std::max({ begun, aligned, previous[j] - weight / 2, current[j - 1] - slip });
            heaviest = std::max(heaviest, current[j]);
            // Words heard after an alignment's end and not in it count against it in full.
            const bool endsHere = same && aligned >= latestByEnd[j] - weight;
            latestByEnd[j] = endsHere ? aligned : latestByEnd[j] - weight;
            if constexpr (CountsHeardAfter)
                heardAfterByEnd[j] = endsHere ? 0 : heardAfterByEnd[j] + 1;
        }
        std::swap(previous, current);
    }
    for (double &weight : latestByEnd)
        weight = std::max(weight, 0.0);
    return { heaviest, { std::move(latestByEnd), std::move(heardAfterByEnd) } };
}

} // namespace

double inOrderAlignmentWeight(
    std::span<const char32_t> needle, std::span<const char32_t> haystack, double ideographWeight)
{
    return alignInOrder<false>(needle, haystack, ideographWeight).heaviest;
}

LatestInOrderAlignment latestInOrderAlignment(
    std::span<const char32_t> needle, std::span<const char32_t> haystack, double ideographWeight)
{
    return alignInOrder<true>(needle, haystack, ideographWeight).latest;
}

std::vector<double> latestInOrderAlignmentWeights(
    std::span<const char32_t> needle, std::span<const char32_t> haystack, double ideographWeight)
{
    return alignInOrder<false>(needle, haystack, ideographWeight).latest.weightByEnd;
}

std::vector<double> latestAnchoredAlignmentWeights(std::span<const char32_t> needle, std::span<const char32_t> haystack,
    std::span<const std::size_t> starts, std::size_t slack, double ideographWeight)
{
    Beginnings beginnings { std::vector<bool>(haystack.size() + 1, false), slack };
    const auto allow = [&](std::size_t start) {
        for (std::size_t position = start; position <= std::min(start + slack, haystack.size()); ++position)
            beginnings.haystackPositions[position] = true;
    };
    allow(0);
    for (const std::size_t start : starts)
        allow(start);
    return alignInOrder<false>(needle, haystack, ideographWeight, &beginnings).latest.weightByEnd;
}

} // namespace lumetra
