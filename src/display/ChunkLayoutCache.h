#pragma once

#include "ParagraphGeometry.h"
#include "ScriptParagraph.h"

#include <QFont>
#include <QHash>
#include <QString>
#include <QTextLayout>

#include <cstdint>
#include <memory>
#include <vector>

namespace lumetra {

// The script laid out as a column of rows, one per chunk: an optional section label above the
// chunk's text. Each text is laid out once per (text, font size, line spacing, width) with
// QTextLayout and reused; scrolling never lays anything out again. Positions are content
// coordinates: 0 at the top of the padded column, so the first row starts at the top padding.
class ChunkLayoutCache {
public:
    static constexpr double topPadding = 120;
    static constexpr double bottomPadding = 180;
    static constexpr double labelSpacing = 12;
    static constexpr double widestRow = 1180;
    static constexpr double widestRowShare = 0.84;
    static constexpr double narrowestSidePadding = 24;
    static constexpr double smallestRowSpacing = 22;

    struct Style {
        double fontSize = 54;
        double lineSpacing = 14;
        double rowWidth = 1;
        bool operator==(const Style &) const = default;
    };

    struct Row {
        std::shared_ptr<const QTextLayout> label; // none when the row shows no section label
        std::shared_ptr<const QTextLayout> text;
        double top = 0; // of the row, content coordinates
        double textTop = 0; // of the chunk text, content coordinates
        double height = 0;
        double bottom() const { return top + height; }
        double midpoint() const { return top + height / 2; }
    };

    // The horizontal frame of the column in a window `windowWidth` wide with the given margin
    // (percent of the width): the side padding and the width of each row.
    struct Column {
        double sidePadding = 0;
        double rowWidth = 1;
        double left = 0; // where rows start; the column is centred when rows reach their limit
    };
    static Column column(double windowWidth, double horizontalMargin);

    // The distance between rows for a line spacing.
    static double rowSpacing(double lineSpacing);

    // Brings the rows up to date with the chunks and style; only texts not laid out before in this
    // style are laid out. In an unchanged style, the rows before and after an edited stretch keep
    // their layouts (the ones after only move), so an edit costs what it changed. Returns whether
    // any row's position or size changed.
    bool update(const std::vector<ScriptParagraph> &paragraphs, const Style &style);

    // The rows the last update() changed, in the new numbering: [first, end). With `rowsMoved`,
    // the rows from `first` on (and the space below the last one) may also have moved or resized.
    struct Changes {
        std::int64_t first = 0;
        std::int64_t end = 0;
        bool rowsMoved = false;
    };
    const Changes &lastChanges() const { return m_changes; }

    const Style &style() const { return m_style; }
    std::int64_t rowCount() const { return std::int64_t(m_rows.size()); }
    const Row &row(std::int64_t index) const { return m_rows[std::size_t(index)]; }
    // Rows that reach into [top, bottom) in content coordinates, as a half-open index range.
    std::pair<std::int64_t, std::int64_t> rowsBetween(double top, double bottom) const;
    // Every row's vertical midpoint, keyed by chunk position.
    ParagraphMidpoints midpoints() const;

private:
    // What a row shows: its text, and the section title above it when it starts a section.
    struct RowContent {
        QString text;
        QString label;
        bool hasLabel = false;
        bool operator==(const RowContent &) const = default;
    };
    static std::vector<RowContent> contents(const std::vector<ScriptParagraph> &paragraphs);
    Row laidOutRow(const RowContent &content, double top);
    void forgetUnused(const RowContent &content);
    void rebuild(std::vector<RowContent> contents);

    std::shared_ptr<const QTextLayout> textLayout(const QString &text);
    std::shared_ptr<const QTextLayout> labelLayout(const QString &title);
    std::shared_ptr<const QTextLayout> laidOut(const QString &text, const QFont &font, double lineSpacing) const;

    Style m_style;
    bool m_hasStyle = false;
    QFont m_textFont;
    QFont m_labelFont;
    std::vector<Row> m_rows;
    std::vector<RowContent> m_contents; // one per row
    Changes m_changes;
    // Texts already laid out in the current style; a repeated sentence shares one layout.
    QHash<QString, std::shared_ptr<const QTextLayout>> m_texts;
    QHash<QString, std::shared_ptr<const QTextLayout>> m_labels;
};

} // namespace lumetra
