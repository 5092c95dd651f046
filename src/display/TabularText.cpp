#include "TabularText.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace lumetra::TabularText {

namespace {

double digitWidth(const QFontMetricsF &metrics)
{
    double widest = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        widest = std::max(widest, metrics.horizontalAdvance(QChar::fromLatin1(digit)));
    return widest;
}

template <typename Visit> double walk(const QString &text, const QFont &font, Visit &&visit)
{
    const QFontMetricsF metrics(font);
    const double cell = digitWidth(metrics);
    double x = 0;
    qsizetype start = 0;
    // Runs of non-digits are measured whole, so their kerning and clusters stay intact.
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !(text[i] >= u'0' && text[i] <= u'9'))
            continue;
        if (i > start) {
            const QString run = text.mid(start, i - start);
            visit(run, x, 0.0);
            x += metrics.horizontalAdvance(run);
        }
        if (i < text.size()) {
            const QString digit(text[i]);
            visit(digit, x, (cell - metrics.horizontalAdvance(digit)) / 2);
            x += cell;
        }
        start = i + 1;
    }
    return x;
}

} // namespace

double width(const QString &text, const QFont &font)
{
    return walk(text, font, [](const QString &, double, double) {});
}

void draw(QPainter &painter, QPointF baselineStart, const QString &text, const QFont &font)
{
    painter.setFont(font);
    walk(text, font, [&](const QString &piece, double x, double inset) {
        painter.drawText(QPointF(baselineStart.x() + x + inset, baselineStart.y()), piece);
    });
}

} // namespace lumetra::TabularText
