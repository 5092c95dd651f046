#include "TextStyle.h"

#include <QApplication>
#include <QWidget>

namespace lumetra {
namespace {

double scaleOf(TextStyle style)
{
    switch (style) {
    case TextStyle::caption2:
        return 0.8;
    case TextStyle::caption:
        return 0.87;
    case TextStyle::subheadline:
        return 0.93;
    case TextStyle::callout:
        return 0.97;
    case TextStyle::body:
        return 1.0;
    case TextStyle::headline:
        return 1.0;
    case TextStyle::title2:
        return 1.35;
    case TextStyle::title:
        return 1.7;
    }
    return 1.0;
}

} // namespace

QFont textStyleFont(TextStyle style, QFont::Weight weight)
{
    QFont font = QApplication::font();
    const double body = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    // Below 7 points the Han characters lose their strokes.
    font.setPointSizeF(std::max(7.0, body * scaleOf(style)));
    font.setWeight(style == TextStyle::headline && weight == QFont::Normal ? QFont::DemiBold : weight);
    return font;
}

void applyTextStyle(QWidget *widget, TextStyle style, QFont::Weight weight)
{
    widget->setFont(textStyleFont(style, weight));
}

QColor secondaryTextColor(const QPalette &palette)
{
    QColor color = palette.color(QPalette::WindowText);
    color.setAlphaF(0.62);
    return color;
}

QColor tertiaryTextColor(const QPalette &palette)
{
    QColor color = palette.color(QPalette::WindowText);
    color.setAlphaF(0.45);
    return color;
}

void applyTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

} // namespace lumetra
