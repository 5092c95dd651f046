#include "ReadingGuidePainter.h"

#include "DisplayFonts.h"
#include "DisplayPalette.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

constexpr double captionCentreX = 70;
constexpr double captionHorizontalPadding = 8;
constexpr double captionVerticalPadding = 4;
constexpr double captionCornerRadius = 6;

QFont captionFont()
{
    return DisplayFonts::font(14, QFont::Bold);
}

} // namespace

QString ReadingGuidePainter::caption()
{
    return QStringLiteral("閱讀位置");
}

QRectF ReadingGuidePainter::lineRect(double width, double y)
{
    // On whole points, so the line has sharp edges instead of blurred ones.
    return QRectF(0, std::round(y - lineThickness / 2), width, lineThickness);
}

QRectF ReadingGuidePainter::captionRect(double y)
{
    static const QSizeF size = [] {
        const QFontMetricsF metrics(captionFont());
        return QSizeF(metrics.horizontalAdvance(caption()) + 2 * captionHorizontalPadding,
            metrics.height() + 2 * captionVerticalPadding);
    }();
    const QPointF centre(captionCentreX, std::max(y - 20, 16.0));
    return QRectF(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height());
}

void ReadingGuidePainter::paint(QPainter &painter, double width, double y, double opacity)
{
    if (opacity <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(lineRect(width, y), DisplayPalette::withOpacity(DisplayPalette::red(), opacity));

    const QRectF box = captionRect(y);
    QPainterPath rounded;
    rounded.addRoundedRect(box, captionCornerRadius, captionCornerRadius);
    painter.fillPath(rounded, DisplayPalette::withOpacity(Qt::black, 0.55 * opacity));
    painter.setFont(captionFont());
    painter.setPen(DisplayPalette::withOpacity(DisplayPalette::red(), 0.95 * opacity));
    painter.drawText(box, Qt::AlignCenter, caption());
    painter.restore();
}

} // namespace lumetra
