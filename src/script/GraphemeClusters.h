#pragma once

#include "UnicodeTables.h"

#include <QStringView>

#include <cstdint>
#include <memory>
#include <vector>

namespace lumetra::GraphemeClusters {

// UTF-16 offsets of every extended-grapheme-cluster boundary of the text, from 0 to its size:
// cluster k spans [result[k], result[k + 1]), and result.size() - 1 clusters in all.
std::vector<qsizetype> boundaries(QStringView text);

// Number of extended grapheme clusters ("characters").
std::int64_t count(QStringView text);

// The first cluster; empty for an empty text.
QStringView first(QStringView text);

namespace detail {
class RuleFollower;
}

// Steps through one text's clusters. Units that always stand alone are settled by a table; the
// segmentation rules are attached to the text once, when first needed, and kept for the walk.
class ClusterWalker {
public:
    explicit ClusterWalker(QStringView text);
    ~ClusterWalker();
    ClusterWalker(const ClusterWalker &) = delete;
    ClusterWalker &operator=(const ClusterWalker &) = delete;

    // UTF-16 offset of the boundary after the cluster that starts at `from` (a boundary).
    qsizetype nextBoundary(qsizetype from)
    {
        const char16_t *units = m_text.utf16();
        if (UnicodeTables::has(units[from], UnicodeTables::standsAlone)
            && (from + 1 == m_text.size() || UnicodeTables::has(units[from + 1], UnicodeTables::standsAlone)))
            return from + 1;
        return nextBoundaryByRules(from);
    }

private:
    qsizetype nextBoundaryByRules(qsizetype from);

    QStringView m_text;
    std::unique_ptr<detail::RuleFollower> m_rules;
};

// Calls visit(cluster) for each cluster in order; stops early when visit returns false.
template <typename Visitor>
void forEach(QStringView text, Visitor &&visit)
{
    ClusterWalker walker(text);
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype next = walker.nextBoundary(position);
        if (!visit(text.sliced(position, next - position)))
            return;
        position = next;
    }
}

} // namespace lumetra::GraphemeClusters
