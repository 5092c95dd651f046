#pragma once

#include <QFont>

namespace lumetra::DisplayFonts {

// The prompter's typeface: Noto Sans CJK in its Traditional Chinese form, named explicitly so the
// look does not depend on the desktop's defaults and zh-TW text never falls back to boxes.
// `size` is in points (one point per logical pixel, as everywhere in the display); sizes that
// no screen could show are limited to what the glyph cache can hold.
QFont font(double size, QFont::Weight weight);

// The limits `font` keeps sizes within.
inline constexpr double smallestSize = 1;
inline constexpr double largestSize = 400;

// The nearest weight to the semibold of the script text that the installed faces offer.
inline constexpr QFont::Weight textWeight = QFont::DemiBold;

} // namespace lumetra::DisplayFonts
