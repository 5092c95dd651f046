#include "StatusBarPainter.h"

#include "DisplayFonts.h"
#include "DisplayPalette.h"
#include "SymbolIcon.h"
#include "TabularText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace lumetra {

namespace {

constexpr double badgeHorizontalPadding = 12;
constexpr double badgeVerticalPadding = 7;
constexpr double badgeSpacing = 8;
constexpr double recordingDotSize = 10;
constexpr double modeSymbolSize = 20;

QFont titleFont()
{
    return DisplayFonts::font(28, QFont::DemiBold);
}
QFont badgeFont()
{
    return DisplayFonts::font(20, QFont::Bold);
}
QFont progressFont()
{
    return DisplayFonts::font(20, QFont::Medium);
}

double badgeHeight()
{
    return QFontMetricsF(badgeFont()).height() + 2 * badgeVerticalPadding;
}

// Draws a one-line text vertically centred on `centreY`, starting at `left`.
void drawLine(QPainter &painter, double left, double centreY, const QString &text, const QFont &font, bool tabular)
{
    const QFontMetricsF metrics(font);
    const double baseline = centreY - metrics.height() / 2 + metrics.ascent();
    if (tabular) {
        TabularText::draw(painter, QPointF(left, baseline), text, font);
        return;
    }
    painter.setFont(font);
    painter.drawText(QPointF(left, baseline), text);
}

} // namespace

double StatusBarPainter::height()
{
    static const double tallest = std::max(
        { modeCircleSize, QFontMetricsF(titleFont()).height(), QFontMetricsF(progressFont()).height(), badgeHeight() });
    return tallest + 2 * verticalPadding;
}

void StatusBarPainter::paint(QPainter &painter, const QRectF &bar, const StatusBarContent &content)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(bar,
        DisplayPalette::withOpacity(
            DisplayPalette::whiteLevel(std::max(content.backgroundBrightness - 0.02, 0.0)), 0.86));
    painter.fillRect(QRectF(bar.left(), bar.top(), bar.width(), 1), DisplayPalette::withOpacity(Qt::white, 0.14));

    const double centreY = bar.center().y();
    double left = bar.left() + horizontalPadding;
    double right = bar.right() - horizontalPadding;

    // Mode icon in its circle.
    painter.setPen(Qt::NoPen);
    painter.setBrush(DisplayPalette::yellow());
    painter.drawEllipse(QRectF(left, centreY - modeCircleSize / 2, modeCircleSize, modeCircleSize));
    symbolIcon(content.modeSymbol, Qt::black)
        .paint(&painter,
            QRectF(left + (modeCircleSize - modeSymbolSize) / 2, centreY - modeSymbolSize / 2, modeSymbolSize,
                modeSymbolSize)
                .toRect());
    left += modeCircleSize + itemSpacing;

    // From the right: progress, then the recording badge.
    const QFont progress = progressFont();
    const double progressWidth = TabularText::width(content.progress, progress);
    right -= progressWidth;
    painter.setPen(DisplayPalette::withOpacity(Qt::white, 0.72));
    drawLine(painter, right, centreY, content.progress, progress, true);
    right -= itemSpacing;

    if (content.recordingTime) {
        const QFont font = badgeFont();
        const double textWidth = TabularText::width(*content.recordingTime, font);
        const double badgeWidth = 2 * badgeHorizontalPadding + recordingDotSize + badgeSpacing + textWidth;
        const QRectF badge(right - badgeWidth, centreY - badgeHeight() / 2, badgeWidth, badgeHeight());
        QPainterPath capsule;
        capsule.addRoundedRect(badge, badge.height() / 2, badge.height() / 2);
        painter.fillPath(capsule, DisplayPalette::withOpacity(DisplayPalette::red(), 0.16));
        painter.setPen(Qt::NoPen);
        painter.setBrush(DisplayPalette::red());
        painter.drawEllipse(QRectF(
            badge.left() + badgeHorizontalPadding, centreY - recordingDotSize / 2, recordingDotSize, recordingDotSize));
        painter.setPen(DisplayPalette::red());
        drawLine(painter, badge.left() + badgeHorizontalPadding + recordingDotSize + badgeSpacing, centreY,
            *content.recordingTime, font, true);
        right = badge.left() - itemSpacing;
    }

    // The section title takes the room that is left, on one line.
    const QFont title = titleFont();
    const QString shown
        = QFontMetricsF(title).elidedText(content.sectionTitle, Qt::ElideRight, std::max(right - left, 0.0));
    painter.setPen(DisplayPalette::whiteLevel(content.textBrightness));
    drawLine(painter, left, centreY, shown, title, false);
    painter.restore();
}

} // namespace lumetra
