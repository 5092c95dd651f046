#include "TextStyles.h"

#include <QApplication>
#include <QWidget>

namespace lumetra::TextStyles {

namespace {

QFont scaled(double factor, QFont::Weight weight)
{
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setWeight(weight);
    return font;
}

} // namespace

QFont headline()
{
    return scaled(1.1, QFont::Bold);
}

QFont subheadline(bool semibold)
{
    return scaled(1.0, semibold ? QFont::DemiBold : QFont::Normal);
}

QFont callout()
{
    return scaled(0.95, QFont::Normal);
}

QFont caption(bool semibold)
{
    return scaled(0.88, semibold ? QFont::DemiBold : QFont::Normal);
}

QColor secondaryColor(const QPalette &palette)
{
    // The text colour halfway to the background: dimmer than text, still easy to read.
    const QColor text = palette.color(QPalette::WindowText);
    const QColor background = palette.color(QPalette::Window);
    return QColor::fromRgbF(text.redF() * 0.55f + background.redF() * 0.45f,
        text.greenF() * 0.55f + background.greenF() * 0.45f, text.blueF() * 0.55f + background.blueF() * 0.45f);
}

void makeSecondary(QWidget *widget)
{
    QPalette palette = widget->palette();
    const QColor secondary = secondaryColor(palette);
    palette.setColor(QPalette::WindowText, secondary);
    palette.setColor(QPalette::Text, secondary);
    widget->setPalette(palette);
}

} // namespace lumetra::TextStyles
