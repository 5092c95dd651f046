#pragma once

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
// UTF-16 offset of the boundary after the cluster that starts at `from` (which is a boundary).
qsizetype nextBoundary(QStringView text, qsizetype from);
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
