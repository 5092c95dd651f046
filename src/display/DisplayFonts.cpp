#include "DisplayFonts.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace lumetra::DisplayFonts {

QFont font(double size, QFont::Weight weight)
{
    static const QStringList families { QStringLiteral("Noto Sans CJK TC"), QStringLiteral("Noto Sans TC"),
        QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK JP") };
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(weight);
    const double limited = std::isfinite(size) ? std::clamp(size, smallestSize, largestSize) : smallestSize;
    font.setPixelSize(std::max(1, int(std::lround(limited))));
    // Without hinting the advances do not depend on the screen's pixel ratio, so a text wraps the
    // same on every screen and its measured midpoints stay valid when the window moves.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace lumetra::DisplayFonts
