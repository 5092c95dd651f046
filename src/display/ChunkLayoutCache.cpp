#include "ChunkLayoutCache.h"

#include "DisplayFonts.h"

#include <QTextLine>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

double finiteOr(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

// Extra space between lines of one text: never negative (lines would overlap) and never more
// than a screen's worth.
double textLineSpacing(double lineSpacing)
{
    return std::clamp(finiteOr(lineSpacing, 0), 0.0, 2000.0);
}

double labelSize(double fontSize)
{
    return std::max(finiteOr(fontSize, 0) * 0.34, 18.0);
}

double layoutHeight(const QTextLayout &layout)
{
    const int lines = layout.lineCount();
    if (lines == 0)
        return 0;
    const QTextLine last = layout.lineAt(lines - 1);
    return last.y() + last.height();
}

} // namespace

ChunkLayoutCache::Column ChunkLayoutCache::column(double windowWidth, double horizontalMargin)
{
    const double width = std::max(finiteOr(windowWidth, 0), 0.0);
    Column column;
    column.sidePadding = std::max(width * finiteOr(horizontalMargin, 0) / 100, narrowestSidePadding);
    const double available = width - 2 * column.sidePadding;
    // A row needs some width to wrap into; a window narrower than its padding gets one-pixel rows.
    column.rowWidth = std::max(std::min({ available, width * widestRowShare, widestRow }), 1.0);
    // Rows held back by their limit leave the padded column centred in the window.
    column.left = available > column.rowWidth ? (width - column.rowWidth) / 2 : column.sidePadding;
    return column;
}

double ChunkLayoutCache::rowSpacing(double lineSpacing)
{
    return std::max(finiteOr(lineSpacing, 0) * 1.5, smallestRowSpacing);
}

std::shared_ptr<const QTextLayout> ChunkLayoutCache::laidOut(
    const QString &text, const QFont &font, double lineSpacing) const
{
    auto layout = std::make_shared<QTextLayout>(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setUseDesignMetrics(true);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    const double spacing = textLineSpacing(lineSpacing);
    double y = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(m_style.rowWidth);
        line.setPosition(QPointF(0, y));
        y += line.height() + spacing;
    }
    layout->endLayout();
    return layout;
}

std::shared_ptr<const QTextLayout> ChunkLayoutCache::textLayout(const QString &text)
{
    auto found = m_texts.constFind(text);
    if (found != m_texts.constEnd())
        return *found;
    auto layout = laidOut(text, m_textFont, m_style.lineSpacing);
    m_texts.insert(text, layout);
    return layout;
}

std::shared_ptr<const QTextLayout> ChunkLayoutCache::labelLayout(const QString &title)
{
    auto found = m_labels.constFind(title);
    if (found != m_labels.constEnd())
        return *found;
    auto layout = laidOut(title, m_labelFont, 0);
    m_labels.insert(title, layout);
    return layout;
}

std::vector<ChunkLayoutCache::RowContent> ChunkLayoutCache::contents(const std::vector<ScriptParagraph> &paragraphs)
{
    std::vector<RowContent> contents;
    contents.reserve(paragraphs.size());
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const ScriptParagraph &paragraph = paragraphs[i];
        const bool hasLabel = i == 0 || paragraph.sectionIndex != paragraphs[i - 1].sectionIndex;
        contents.push_back({ paragraph.text, hasLabel ? paragraph.sectionTitle : QString(), hasLabel });
    }
    return contents;
}

ChunkLayoutCache::Row ChunkLayoutCache::laidOutRow(const RowContent &content, double top)
{
    Row row;
    row.top = top;
    if (content.hasLabel)
        row.label = labelLayout(content.label);
    row.text = textLayout(content.text);
    const double labelHeight = row.label ? layoutHeight(*row.label) + labelSpacing : 0;
    row.textTop = top + labelHeight;
    row.height = labelHeight + layoutHeight(*row.text);
    return row;
}

void ChunkLayoutCache::forgetUnused(const RowContent &content)
{
    // A layout only the cache still holds belongs to no row any more.
    const auto dropIfUnused = [](auto &layouts, const QString &key) {
        auto found = layouts.find(key);
        if (found != layouts.end() && found->use_count() == 1)
            layouts.erase(found);
    };
    dropIfUnused(m_texts, content.text);
    if (content.hasLabel)
        dropIfUnused(m_labels, content.label);
}

void ChunkLayoutCache::rebuild(std::vector<RowContent> contents)
{
    m_texts.clear();
    m_labels.clear();
    m_rows.clear();
    m_rows.reserve(contents.size());
    const double spacing = rowSpacing(m_style.lineSpacing);
    double top = topPadding;
    for (const RowContent &content : contents) {
        m_rows.push_back(laidOutRow(content, top));
        top = m_rows.back().bottom() + spacing;
    }
    m_contents = std::move(contents);
}

bool ChunkLayoutCache::update(const std::vector<ScriptParagraph> &paragraphs, const Style &style)
{
    std::vector<RowContent> next = contents(paragraphs);
    if (!m_hasStyle || !(style == m_style)) {
        m_style = style;
        m_hasStyle = true;
        m_textFont = DisplayFonts::font(style.fontSize, DisplayFonts::textWeight);
        m_labelFont = DisplayFonts::font(labelSize(style.fontSize), DisplayFonts::textWeight);
        rebuild(std::move(next));
        m_changes = { 0, rowCount(), true };
        return true;
    }

    // The rows before the first difference and after the last one stay as they are.
    const std::size_t shorter = std::min(next.size(), m_contents.size());
    std::size_t head = 0;
    while (head < shorter && next[head] == m_contents[head])
        ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && next[next.size() - 1 - tail] == m_contents[m_contents.size() - 1 - tail])
        ++tail;
    const std::size_t oldEnd = m_contents.size() - tail;
    const std::size_t newEnd = next.size() - tail;
    if (head == oldEnd && head == newEnd) {
        m_changes = {};
        return false;
    }

    const double spacing = rowSpacing(m_style.lineSpacing);
    const double oldTailTop = tail > 0 ? m_rows[oldEnd].top : 0;
    double top = head > 0 ? m_rows[head - 1].bottom() + spacing : topPadding;
    std::vector<Row> replaced;
    replaced.reserve(newEnd - head);
    for (std::size_t i = head; i < newEnd; ++i) {
        replaced.push_back(laidOutRow(next[i], top));
        top = replaced.back().bottom() + spacing;
    }
    bool changed = oldEnd - head != replaced.size();
    for (std::size_t i = 0; !changed && i < replaced.size(); ++i) {
        const Row &before = m_rows[head + i];
        changed = before.top != replaced[i].top || before.height != replaced[i].height;
    }

    // Old rows are let go before their layouts are looked at, so unused ones can be recognised.
    const auto firstOld = m_rows.begin() + std::ptrdiff_t(head);
    m_rows.erase(firstOld, firstOld + std::ptrdiff_t(oldEnd - head));
    m_rows.insert(m_rows.begin() + std::ptrdiff_t(head), std::make_move_iterator(replaced.begin()),
        std::make_move_iterator(replaced.end()));
    for (std::size_t i = head; i < oldEnd; ++i)
        forgetUnused(m_contents[i]);

    const double shift = tail > 0 ? top - oldTailTop : 0;
    if (shift != 0) {
        changed = true;
        for (std::size_t i = newEnd; i < m_rows.size(); ++i) {
            m_rows[i].top += shift;
            m_rows[i].textTop += shift;
        }
    }
    m_contents = std::move(next);
    m_changes = { std::int64_t(head), std::int64_t(newEnd), changed };
    return changed;
}

std::pair<std::int64_t, std::int64_t> ChunkLayoutCache::rowsBetween(double top, double bottom) const
{
    const auto first
        = std::partition_point(m_rows.begin(), m_rows.end(), [top](const Row &row) { return row.bottom() <= top; });
    const auto last = std::partition_point(first, m_rows.end(), [bottom](const Row &row) { return row.top < bottom; });
    return { std::int64_t(first - m_rows.begin()), std::int64_t(last - m_rows.begin()) };
}

ParagraphMidpoints ChunkLayoutCache::midpoints() const
{
    ParagraphMidpoints midpoints;
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        midpoints.emplace_hint(midpoints.end(), std::int64_t(i), m_rows[i].midpoint());
    return midpoints;
}

} // namespace lumetra
