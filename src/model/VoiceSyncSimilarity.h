#pragma once

#include "AlignmentCharacters.h"
#include "SimilarityMatch.h"

#include <QStringView>

#include <span>

namespace lumetra::VoiceSyncSimilarity {

// Share of the needle's distinct characters that occur anywhere in the haystack; 0 when either
// is empty. Order and repetition do not matter, so recognition slips and reordered words still
// score.
double similarityScore(std::span<const char32_t> needle, std::span<const char32_t> haystack);

// The needle's last 8, 12, 16 and 24 characters (those it is long enough for) slid over the
// haystack in windows four characters wider; the first best window of the first best candidate
// wins. (0, 0) for a needle under 4 characters or an empty haystack.
SimilarityMatch slidingSimilarityMatch(std::span<const char32_t> needle, std::span<const char32_t> haystack);

// The whole needle slid over the haystack as one candidate is, for needles too short to give one.
SimilarityMatch wholeNeedleMatch(std::span<const char32_t> needle, std::span<const char32_t> haystack);

// The same on readable texts.
double similarityScore(QStringView needle, QStringView haystack);
SimilarityMatch slidingSimilarityMatch(QStringView needle, QStringView haystack);

} // namespace lumetra::VoiceSyncSimilarity
