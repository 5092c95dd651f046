#include "DisplayPalette.h"

#include <algorithm>
#include <cmath>

namespace lumetra::DisplayPalette {

namespace {

// Settings come from stored files and sliders: a value that is not a number counts as `fallback`.
double finiteOr(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

float unit(double value)
{
    return float(std::clamp(value, 0.0, 1.0));
}

} // namespace

QColor whiteLevel(double level)
{
    const float white = unit(finiteOr(level, 0));
    return QColor::fromRgbF(white, white, white, 1.0f);
}

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(color.alphaF() * unit(finiteOr(opacity, 1)));
    return color;
}

QColor contrastAdjusted(const QColor &color, double factor)
{
    const double k = finiteOr(factor, 1);
    const auto adjust = [k](float component) { return unit((double(component) - 0.5) * k + 0.5); };
    return QColor::fromRgbF(adjust(color.redF()), adjust(color.greenF()), adjust(color.blueF()), color.alphaF());
}

QColor yellow()
{
    return QColor(255, 214, 10);
}

QColor red()
{
    return QColor(255, 59, 48);
}

} // namespace lumetra::DisplayPalette
