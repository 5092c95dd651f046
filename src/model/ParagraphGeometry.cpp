#include "ParagraphGeometry.h"

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

std::int64_t limitedIndex(double index, std::int64_t chunkCount)
{
    const std::int64_t last = std::max<std::int64_t>(chunkCount - 1, 0);
    // Also catches NaN, so a broken setting can never reach the integer conversion.
    if (!(index > 0))
        return 0;
    if (index >= static_cast<double>(last))
        return last;
    return static_cast<std::int64_t>(index); // truncation toward zero
}

} // namespace

double ParagraphGeometry::estimatedChunkHeight(double fontSize, double lineSpacing)
{
    const double height = fontSize * 1.75 + lineSpacing;
    return height > minimumChunkHeight ? height : minimumChunkHeight;
}

double ParagraphGeometry::snappedToHalfPoint(double value)
{
    return std::round(value * 2) / 2; // std::round takes halves away from zero
}

ParagraphMidpoints ParagraphGeometry::snapped(const ParagraphMidpoints &midpoints)
{
    ParagraphMidpoints result;
    for (const auto &[index, midpoint] : midpoints) {
        if (std::isfinite(midpoint)) // a broken layout value must not become a scroll position
            result.emplace_hint(result.end(), index, snappedToHalfPoint(midpoint));
    }
    return result;
}

std::optional<double> ParagraphGeometry::furthestMeasuredMidpoint(std::int64_t chunkCount) const
{
    std::optional<double> furthest;
    for (auto entry = m_measured.begin(); entry != m_measured.end() && entry->first < chunkCount; ++entry) {
        if (entry->first >= 0)
            furthest = std::max(furthest.value_or(entry->second), entry->second);
    }
    return furthest;
}

void ParagraphGeometry::setMeasuredMidpoints(ParagraphMidpoints midpoints)
{
    m_measured = std::move(midpoints);
    m_ordered.assign(m_measured.begin(), m_measured.end());
    const bool ascending = std::is_sorted(
        m_ordered.begin(), m_ordered.end(), [](const auto &a, const auto &b) { return a.second < b.second; });
    if (!ascending)
        m_ordered.clear();
}

std::int64_t ParagraphGeometry::nearestMeasured(double contentY) const
{
    if (!m_ordered.empty() && std::isfinite(contentY)) {
        // The first measurement at or below contentY and the first above it are the only
        // candidates; of equally near ones the earlier wins, as in the scan below.
        const auto above = std::partition_point(
            m_ordered.begin(), m_ordered.end(), [contentY](const auto &entry) { return entry.second < contentY; });
        if (above == m_ordered.begin())
            return above->first;
        const double belowMidpoint = std::prev(above)->second;
        const auto below = std::partition_point(
            m_ordered.begin(), above, [belowMidpoint](const auto &entry) { return entry.second < belowMidpoint; });
        if (above == m_ordered.end() || contentY - belowMidpoint <= above->second - contentY)
            return below->first;
        return above->first;
    }
    std::int64_t best = m_measured.begin()->first;
    double bestDistance = std::abs(m_measured.begin()->second - contentY);
    for (const auto &[index, midpoint] : m_measured) {
        const double distance = std::abs(midpoint - contentY);
        if (distance < bestDistance) {
            best = index;
            bestDistance = distance;
        }
    }
    return best;
}

double ParagraphGeometry::readingContentY(
    std::int64_t index, std::int64_t chunkCount, double fontSize, double lineSpacing) const
{
    const std::int64_t limited = std::clamp<std::int64_t>(index, 0, std::max<std::int64_t>(chunkCount - 1, 0));
    if (const auto measured = m_measured.find(limited); measured != m_measured.end())
        return measured->second;
    const double height = estimatedChunkHeight(fontSize, lineSpacing);
    return topInset + height * static_cast<double>(limited) + height * 0.5;
}

std::int64_t ParagraphGeometry::paragraphIndex(
    double contentY, std::int64_t chunkCount, double fontSize, double lineSpacing) const
{
    if (chunkCount <= 0)
        return 0;
    if (!m_measured.empty())
        return std::clamp<std::int64_t>(nearestMeasured(contentY), 0, chunkCount - 1);
    const double height = estimatedChunkHeight(fontSize, lineSpacing);
    return limitedIndex((contentY - topInset - height * 0.5) / height, chunkCount);
}

} // namespace lumetra
