#pragma once

#include <QColor>

class QPushButton;

namespace lumetra {

// The accent colour of the desktop's palette: what a filled button is tinted with by default.
QColor accentColor();

// Gives `button` the filled look of a main action, tinted with `tint` (the accent colour if invalid);
// disabled it fades.
void makeProminent(QPushButton *button, const QColor &tint = QColor());

// Back to the ordinary bordered look.
void makeBordered(QPushButton *button);

} // namespace lumetra
