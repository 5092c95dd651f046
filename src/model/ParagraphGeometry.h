#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace lumetra {

// Chunk midpoints, keyed by chunk position in the document, in content points.
using ParagraphMidpoints = std::map<std::int64_t, double>;

// Maps chunks to content positions and back: measured midpoints where the display has reported
// them, otherwise an estimate from the font size and line spacing.
class ParagraphGeometry {
public:
    // The display's inset above the first chunk.
    static constexpr double topInset = 120;
    static constexpr double minimumChunkHeight = 92;

    // max(fontSize × 1.75 + lineSpacing, 92); never below 92, also for settings that are not numbers.
    static double estimatedChunkHeight(double fontSize, double lineSpacing);
    // The nearest multiple of 0.5, halves going away from zero.
    static double snappedToHalfPoint(double value);
    // Every finite value snapped; values that are not finite numbers are left out.
    static ParagraphMidpoints snapped(const ParagraphMidpoints &midpoints);

    const ParagraphMidpoints &measuredMidpoints() const { return m_measured; }
    void setMeasuredMidpoints(ParagraphMidpoints midpoints);

    // The largest measured midpoint of the chunks 0 … chunkCount − 1, if any is measured.
    std::optional<double> furthestMeasuredMidpoint(std::int64_t chunkCount) const;

    // The content position of chunk `index` (limited to 0 … chunkCount − 1, or 0 without chunks).
    double readingContentY(std::int64_t index, std::int64_t chunkCount, double fontSize, double lineSpacing) const;

    // The chunk at content position `contentY`: with measurements the nearest measured midpoint
    // (the first examined of equally near ones), otherwise the last chunk whose estimated
    // midpoint is at or above it. 0 without chunks.
    std::int64_t paragraphIndex(double contentY, std::int64_t chunkCount, double fontSize, double lineSpacing) const;

private:
    std::int64_t nearestMeasured(double contentY) const;

    ParagraphMidpoints m_measured;
    // The measurements in chunk order, kept while their midpoints never decrease (a column laid
    // out top to bottom): the nearest one is then found by bisection, as the display asks for it
    // on every frame.
    std::vector<std::pair<std::int64_t, double>> m_ordered;
};

} // namespace lumetra
