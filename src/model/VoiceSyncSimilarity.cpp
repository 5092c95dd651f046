#include "VoiceSyncSimilarity.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace lumetra::VoiceSyncSimilarity {
namespace {

constexpr std::size_t minimumNeedleLength = 4;
constexpr std::array<std::size_t, 4> candidateLengths = { 8, 12, 16, 24 };
constexpr std::size_t windowSlack = 4;
constexpr std::size_t minimumWindow = 8;

std::vector<char32_t> distinct(std::span<const char32_t> characters)
{
    std::vector<char32_t> result;
    for (const char32_t character : characters) {
        if (std::find(result.begin(), result.end(), character) == result.end())
            result.push_back(character);
    }
    return result;
}

double shareFound(const std::vector<char32_t> &distinctNeedle, std::span<const char32_t> haystack)
{
    if (distinctNeedle.empty() || haystack.empty())
        return 0;
    const auto found = std::count_if(distinctNeedle.begin(), distinctNeedle.end(), [haystack](char32_t character) {
        return std::find(haystack.begin(), haystack.end(), character) != haystack.end();
    });
    return static_cast<double>(found) / static_cast<double>(distinctNeedle.size());
}

SimilarityMatch bestWindow(std::span<const char32_t> candidate, std::span<const char32_t> haystack)
{
    const std::vector<char32_t> distinctCandidate = distinct(candidate);
    if (candidate.size() >= haystack.size())
        return { shareFound(distinctCandidate, haystack), static_cast<std::int64_t>(haystack.size()) };
    const std::size_t width = std::min(haystack.size(), std::max(candidate.size() + windowSlack, minimumWindow));
    SimilarityMatch best;
    for (std::size_t start = 0; start + width <= haystack.size(); ++start) {
        const double score = shareFound(distinctCandidate, haystack.subspan(start, width));
        if (score > best.score)
            best = { score, static_cast<std::int64_t>(start + width) };
    }
    return best;
}

} // namespace

double similarityScore(std::span<const char32_t> needle, std::span<const char32_t> haystack)
{
    return shareFound(distinct(needle), haystack);
}

SimilarityMatch wholeNeedleMatch(std::span<const char32_t> needle, std::span<const char32_t> haystack)
{
    if (needle.empty() || haystack.empty())
        return {};
    return bestWindow(needle, haystack);
}

SimilarityMatch slidingSimilarityMatch(std::span<const char32_t> needle, std::span<const char32_t> haystack)
{
    SimilarityMatch best;
    if (needle.size() < minimumNeedleLength || haystack.empty())
        return best;
    // Shortest candidate first, so on equal scores the latest words alone decide the end.
    for (const std::size_t length : candidateLengths) {
        if (needle.size() < length)
            break;
        const SimilarityMatch match = bestWindow(needle.last(length), haystack);
        if (match.score > best.score)
            best = match;
    }
    return best;
}

double similarityScore(QStringView needle, QStringView haystack)
{
    return similarityScore(alignmentCharacters(needle), alignmentCharacters(haystack));
}

SimilarityMatch slidingSimilarityMatch(QStringView needle, QStringView haystack)
{
    return slidingSimilarityMatch(alignmentCharacters(needle), alignmentCharacters(haystack));
}

} // namespace lumetra::VoiceSyncSimilarity
