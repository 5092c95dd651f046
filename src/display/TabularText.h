#pragma once

#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

namespace lumetra::TabularText {

// Text whose digits all take the width of the widest digit, so counters and clocks do not
// wobble as they change. Other characters keep their own widths.
double width(const QString &text, const QFont &font);
// Draws with the baseline starting at `baselineStart`, in the painter's pen.
void draw(QPainter &painter, QPointF baselineStart, const QString &text, const QFont &font);

} // namespace lumetra::TabularText
