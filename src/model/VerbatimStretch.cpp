#include "VerbatimStretch.h"

#include <QChar>

#include <algorithm>
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

// Counting the characters heard after each end only where asked: the alignment runs many times
// an update, and one caller needs them.
template <bool CountsHeardAfter>
InOrderAlignment alignInOrder(
    std::span<const char32_t> needle, std::span<const char32_t> haystack, double ideographWeight)
{
    // previous[j] and current[j] hold the best alignment ending at the previous and current needle
    // character and haystack[j - 1].
    std::vector<double> previous(haystack.size() + 1, 0.0);
    std::vector<double> current(haystack.size() + 1, 0.0);
    std::vector<double> latestByEnd(haystack.size() + 1, 0.0);
    std::vector<std::size_t> heardAfterByEnd(CountsHeardAfter ? haystack.size() + 1 : 0, 0);
    double heaviest = 0;
    for (const char32_t character : needle) {
        const double weight = weightOf(character, ideographWeight);
        for (std::size_t j = 1; j <= haystack.size(); ++j) {
            const double slip = weightOf(haystack[j - 1], ideographWeight) / 2;
            const bool same = haystack[j - 1] == character;
            const double aligned = previous[j - 1] + (same ? weight : -slip);
            current[j] = std::max({ 0.0, aligned, previous[j] - weight / 2, current[j - 1] - slip });
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

} // namespace lumetra
