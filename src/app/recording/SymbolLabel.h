#pragma once

#include <QColor>
#include <QString>

class QLabel;

namespace lumetra {

// Shows `symbol` of the program's icon set in `label`, `side` points square, sharp at the label's
// pixel density; in `color` when given, else in the palette's text colour.
void showSymbol(QLabel *label, const QString &symbol, int side, const QColor &color = QColor());

} // namespace lumetra
