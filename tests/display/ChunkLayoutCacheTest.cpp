#include "ChunkLayoutCache.h"

#include "ScriptParser.h"

#include <QTextLayout>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace lumetra;

namespace {

std::vector<ScriptParagraph> paragraphsOf(const QString &script)
{
    return ScriptParser::parse(script).paragraphs();
}

const QString twoSections = QStringLiteral("# 開場\n\n第一句很短。\n\n第二句也不長。\n\n# 結尾\n\n最後一句。\n");

} // namespace

TEST(ChunkLayoutColumn, RowsStayWithinTheirLimitAndSidePaddingNeverDropsBelowTwentyFour)
{
    const auto usual = ChunkLayoutCache::column(1280, 8);
    EXPECT_DOUBLE_EQ(usual.sidePadding, 102.4);
    EXPECT_NEAR(usual.rowWidth, 1075.2, 1e-9);
    EXPECT_DOUBLE_EQ(usual.left, 102.4);

    const auto wide = ChunkLayoutCache::column(3000, 8);
    EXPECT_DOUBLE_EQ(wide.rowWidth, 1180);
    EXPECT_DOUBLE_EQ(wide.left, (3000 - 1180) / 2.0); // the padded column is centred

    const auto narrow = ChunkLayoutCache::column(200, 2);
    EXPECT_DOUBLE_EQ(narrow.sidePadding, 24);
    EXPECT_DOUBLE_EQ(narrow.rowWidth, 152);
    EXPECT_DOUBLE_EQ(narrow.left, 24);

    // Margins past half the width, a one-pixel window, nonsense: a row always has some width.
    for (const auto &column : { ChunkLayoutCache::column(1280, 150), ChunkLayoutCache::column(1, 8),
             ChunkLayoutCache::column(0, std::numeric_limits<double>::quiet_NaN()) }) {
        EXPECT_GE(column.rowWidth, 1);
        EXPECT_TRUE(std::isfinite(column.left));
    }
}

TEST(ChunkLayoutCache, RowsStackFromTheTopPaddingWithLabelsOnlyWhereASectionBegins)
{
    ChunkLayoutCache cache;
    EXPECT_TRUE(cache.update(paragraphsOf(twoSections), { 54, 14, 1000 }));
    ASSERT_EQ(cache.rowCount(), 3);
    EXPECT_TRUE(cache.row(0).label);
    EXPECT_FALSE(cache.row(1).label);
    EXPECT_TRUE(cache.row(2).label);

    EXPECT_DOUBLE_EQ(cache.row(0).top, 120);
    const double spacing = ChunkLayoutCache::rowSpacing(14);
    EXPECT_DOUBLE_EQ(spacing, 22); // max(14 × 1.5, 22)
    EXPECT_DOUBLE_EQ(ChunkLayoutCache::rowSpacing(20), 30);
    for (int i = 1; i < 3; ++i)
        EXPECT_DOUBLE_EQ(cache.row(i).top, cache.row(i - 1).bottom() + spacing);
    // The label, 12 points, then the text.
    EXPECT_GT(cache.row(0).textTop, cache.row(0).top + 12);
    EXPECT_DOUBLE_EQ(cache.row(1).textTop, cache.row(1).top);

    const ParagraphMidpoints midpoints = cache.midpoints();
    ASSERT_EQ(midpoints.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_DOUBLE_EQ(midpoints.at(i), cache.row(i).top + cache.row(i).height / 2);
}

TEST(ChunkLayoutCache, TextsAreLaidOutOncePerStyleAndReusedAcrossEdits)
{
    ChunkLayoutCache cache;
    const auto style = ChunkLayoutCache::Style { 54, 14, 600 };
    cache.update(paragraphsOf(twoSections), style);
    const QTextLayout *second = cache.row(1).text.get();

    // An edit elsewhere keeps the untouched sentence's layout; the same settings change nothing.
    EXPECT_FALSE(cache.update(paragraphsOf(twoSections), style));
    EXPECT_EQ(cache.row(1).text.get(), second);
    cache.update(
        paragraphsOf(QString(twoSections).replace(QStringLiteral("最後一句"), QStringLiteral("真的最後"))), style);
    EXPECT_EQ(cache.row(1).text.get(), second);

    // A new font size lays everything out again and moves the rows.
    const double before = cache.row(2).midpoint();
    EXPECT_TRUE(cache.update(paragraphsOf(twoSections), { 80, 14, 600 }));
    EXPECT_NE(cache.row(1).text.get(), second);
    EXPECT_GT(cache.row(2).midpoint(), before);
}

TEST(ChunkLayoutCache, EditsGiveTheRowsAFreshLayoutWouldAndMoveTheRowsAfterThem)
{
    const auto style = ChunkLayoutCache::Style { 40, 10, 300 };
    QString script;
    for (int section = 0; section < 4; ++section) {
        script += QStringLiteral("# 第%1章\n\n").arg(section);
        for (int sentence = 0; sentence < 5; ++sentence)
            script += QStringLiteral("第%1章第%2句，這一句要長到在窄欄裡折成兩行才行。\n\n").arg(section).arg(sentence);
    }
    // Each edit: a sentence grows to more lines, one is added, some are removed, a section title
    // changes, a section is joined to the one before, and the script is cut short.
    const QStringList edits {
        QString(script).replace(
            QStringLiteral("第1章第2句，"), QStringLiteral("第1章第2句，加長加長加長加長加長加長加長加長，")),
        QString(script).replace(QStringLiteral("第2章第0句"), QStringLiteral("新的一句。\n\n第2章第0句")),
        QString(script).remove(QStringLiteral("第0章第3句，這一句要長到在窄欄裡折成兩行才行。\n\n")),
        QString(script).replace(QStringLiteral("# 第3章"), QStringLiteral("# 改過的第三章")),
        QString(script).remove(QStringLiteral("# 第2章\n\n")),
        script.left(script.indexOf(QStringLiteral("# 第2章"))),
        script,
    };
    ChunkLayoutCache edited;
    edited.update(paragraphsOf(script), style);
    QString previous = script;
    for (const QString &edit : edits) {
        const QTextLayout *firstText = edited.row(0).text.get();
        const QTextLayout *lastText = edited.row(edited.rowCount() - 1).text.get();
        const bool lastKept = edit.right(40) == previous.right(40);
        previous = edit;
        edited.update(paragraphsOf(edit), style);
        ChunkLayoutCache fresh;
        fresh.update(paragraphsOf(edit), style);
        ASSERT_EQ(edited.rowCount(), fresh.rowCount());
        for (std::int64_t i = 0; i < fresh.rowCount(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(edited.row(i).top, fresh.row(i).top);
            EXPECT_EQ(edited.row(i).textTop, fresh.row(i).textTop);
            EXPECT_EQ(edited.row(i).height, fresh.row(i).height);
            EXPECT_EQ(edited.row(i).text->text(), fresh.row(i).text->text());
            EXPECT_EQ(bool(edited.row(i).label), bool(fresh.row(i).label));
            if (fresh.row(i).label)
                EXPECT_EQ(edited.row(i).label->text(), fresh.row(i).label->text());
        }
        EXPECT_EQ(edited.midpoints(), fresh.midpoints());
        // The rows at either end were not touched by any edit: they keep their layouts.
        EXPECT_EQ(edited.row(0).text.get(), firstText);
        if (lastKept)
            EXPECT_EQ(edited.row(edited.rowCount() - 1).text.get(), lastText);
    }
}

TEST(ChunkLayoutCache, NarrowRowsWrapLongTextsIntoMoreLines)
{
    const auto paragraphs
        = paragraphsOf(QStringLiteral("這是一個相當長的句子，用來確認文字會在欄寬之內換行而不會超出。"));
    ChunkLayoutCache wide;
    wide.update(paragraphs, { 54, 14, 1180 });
    ChunkLayoutCache narrow;
    narrow.update(paragraphs, { 54, 14, 300 });
    EXPECT_GT(narrow.row(0).text->lineCount(), wide.row(0).text->lineCount());
    for (int i = 0; i < narrow.row(0).text->lineCount(); ++i)
        EXPECT_LE(narrow.row(0).text->lineAt(i).naturalTextWidth(), 300 + 0.5);
    // Lines are a line's height plus the line spacing apart.
    const QTextLine first = narrow.row(0).text->lineAt(0);
    EXPECT_NEAR(narrow.row(0).text->lineAt(1).y(), first.height() + 14, 1e-6);
}

TEST(ChunkLayoutCache, FindsTheRowsThatReachIntoAStretchOfContent)
{
    QString script = QStringLiteral("# 節\n");
    for (int i = 0; i < 50; ++i)
        script += QStringLiteral("\n第%1句。\n").arg(i);
    ChunkLayoutCache cache;
    cache.update(paragraphsOf(script), { 54, 14, 800 });
    const auto [first, end] = cache.rowsBetween(cache.row(10).top + 1, cache.row(12).top + 1);
    EXPECT_EQ(first, 10);
    EXPECT_EQ(end, 13);
    const auto [none, noneEnd] = cache.rowsBetween(-500, 0);
    EXPECT_EQ(none, noneEnd);
}

TEST(ChunkLayoutCache, BadSettingsAndHugeScriptsStillGiveFiniteOrderedRows)
{
    QString oneLine(100000, QChar(u'字'));
    QString manySections;
    for (int i = 0; i < 10000; ++i)
        manySections += QStringLiteral("# 節%1\n\n").arg(i);
    manySections += QStringLiteral("只有一句。\n");
    struct Case {
        QString script;
        ChunkLayoutCache::Style style;
    };
    const std::vector<Case> cases {
        { twoSections, { 0, 14, 1000 } },
        { twoSections, { 10000, 14, 1000 } },
        { twoSections, { 54, -40, 1000 } },
        { twoSections, { std::numeric_limits<double>::quiet_NaN(), 14, 1000 } },
        { twoSections, { 54, 14, 1 } },
        { oneLine, { 54, 14, 1000 } },
        { manySections, { 54, 14, 1000 } },
    };
    for (const Case &c : cases) {
        ChunkLayoutCache cache;
        cache.update(paragraphsOf(c.script), c.style);
        ASSERT_GT(cache.rowCount(), 0);
        double previousBottom = 0;
        for (std::int64_t i = 0; i < cache.rowCount(); ++i) {
            const auto &row = cache.row(i);
            ASSERT_TRUE(std::isfinite(row.top) && std::isfinite(row.height));
            EXPECT_GT(row.height, 0);
            EXPECT_GT(row.top, previousBottom);
            previousBottom = row.bottom();
        }
    }
}
