#pragma once

#include <QColor>

namespace lumetra::DisplayPalette {

// An opaque grey of the given white level (0 black … 1 white), in sRGB.
QColor whiteLevel(double level);
QColor withOpacity(QColor color, double opacity);
// The contrast factor of the prompter: each colour component moves away from (factor > 1) or
// towards (factor < 1) mid-grey, then is limited to the valid range; opacity is kept.
QColor contrastAdjusted(const QColor &color, double factor);

// The display's accent colours, chosen to read on a dark background.
QColor yellow();
QColor red();

} // namespace lumetra::DisplayPalette
