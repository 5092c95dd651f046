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

bool ChunkLayoutCache::update(const std::vector<ScriptParagraph> &paragraphs, const Style &style)
{
    if (!m_hasStyle || !(style == m_style)) {
        m_texts.clear();
        m_labels.clear();
        m_style = style;
        m_hasStyle = true;
        m_textFont = DisplayFonts::font(style.fontSize, DisplayFonts::textWeight);
        m_labelFont = DisplayFonts::font(labelSize(style.fontSize), DisplayFonts::textWeight);
    }
    // Layouts of texts the script no longer has are dropped; the others carry over.
    QHash<QString, std::shared_ptr<const QTextLayout>> previousTexts;
    previousTexts.swap(m_texts);
    QHash<QString, std::shared_ptr<const QTextLayout>> previousLabels;
    previousLabels.swap(m_labels);
    const auto reuse = [](auto &previous, auto &current, const QString &key) {
        auto found = previous.find(key);
        if (found != previous.end())
            current.insert(key, *found);
    };

    const double spacing = rowSpacing(style.lineSpacing);
    std::vector<Row> rows;
    rows.reserve(paragraphs.size());
    double top = topPadding;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const ScriptParagraph &paragraph = paragraphs[i];
        Row row;
        row.top = top;
        if (i == 0 || paragraph.sectionIndex != paragraphs[i - 1].sectionIndex) {
            reuse(previousLabels, m_labels, paragraph.sectionTitle);
            row.label = labelLayout(paragraph.sectionTitle);
        }
        reuse(previousTexts, m_texts, paragraph.text);
        row.text = textLayout(paragraph.text);
        const double labelHeight = row.label ? layoutHeight(*row.label) + labelSpacing : 0;
        row.textTop = top + labelHeight;
        row.height = labelHeight + layoutHeight(*row.text);
        top = row.bottom() + spacing;
        rows.push_back(std::move(row));
    }

    const bool changed = rows.size() != m_rows.size()
        || !std::equal(rows.begin(), rows.end(), m_rows.begin(),
            [](const Row &a, const Row &b) { return a.top == b.top && a.height == b.height; });
    m_rows = std::move(rows);
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
