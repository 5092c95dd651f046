#include "PanelTextStyles.h"

#include <QApplication>
#include <QWidget>

namespace lumetra::PanelTextStyles {
namespace {

QFont scaled(double factor, QFont::Weight weight)
{
    QFont font = QApplication::font();
    // Below 7 points the strokes of Han characters run together.
    font.setPointSizeF(std::max(7.0, font.pointSizeF() * factor));
    font.setWeight(weight);
    return font;
}

} // namespace

QFont caption2(bool semibold)
{
    return scaled(0.8, semibold ? QFont::DemiBold : QFont::Normal);
}

QFont title2(bool bold)
{
    return scaled(1.35, bold ? QFont::Bold : QFont::Normal);
}

QFont title(bool bold)
{
    return scaled(1.7, bold ? QFont::Bold : QFont::Normal);
}

void makeTertiary(QWidget *widget)
{
    const QPalette palette = widget->palette();
    // A third of the way from the background to the text.
    const QColor text = palette.color(QPalette::WindowText);
    const QColor background = palette.color(QPalette::Window);
    setTextColor(widget,
        QColor::fromRgbF(text.redF() * 0.4f + background.redF() * 0.6f,
            text.greenF() * 0.4f + background.greenF() * 0.6f, text.blueF() * 0.4f + background.blueF() * 0.6f));
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

} // namespace lumetra::PanelTextStyles
