#pragma once

#include "UnicodeTables.h"

#include <QStringView>

#include <cstdint>
#include <vector>

namespace lumetra::GraphemeClusters {

// UTF-16 offsets of every extended-grapheme-cluster boundary of the text, from 0 to its size:
// cluster k spans [result[k], result[k + 1]), and result.size() - 1 clusters in all.
std::vector<qsizetype> boundaries(QStringView text);

// Number of extended grapheme clusters ("characters").
std::int64_t count(QStringView text);

// The first cluster; empty for an empty text.
QStringView first(QStringView text);

// Calls visit(cluster) for each cluster in order; stops early when visit returns false.
template <typename Visitor>
void forEach(QStringView text, Visitor &&visit);

namespace detail {
qsizetype nextBoundaryFromRules(QStringView text, qsizetype from);

// UTF-16 offset of the boundary after the cluster that starts at `from` (which is a boundary).
inline qsizetype nextBoundary(QStringView text, qsizetype from)
{
    const char16_t *units = text.utf16();
    if (UnicodeTables::has(units[from], UnicodeTables::standsAlone)
        && (from + 1 == text.size() || UnicodeTables::has(units[from + 1], UnicodeTables::standsAlone)))
        return from + 1;
    return nextBoundaryFromRules(text, from);
}
} // namespace detail

template <typename Visitor>
void forEach(QStringView text, Visitor &&visit)
{
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype next = detail::nextBoundary(text, position);
        if (!visit(text.sliced(position, next - position)))
            return;
        position = next;
    }
}

} // namespace lumetra::GraphemeClusters
