#include "RecordingTimerBadge.h"

#include "RecordingColors.h"
#include "TextStyle.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

namespace lumetra {
namespace {

constexpr int dotSize = 8;
constexpr int spacing = 6;
constexpr int horizontalPadding = 8;
constexpr int verticalPadding = 4;

} // namespace

RecordingTimerBadge::RecordingTimerBadge(QWidget *parent)
    : QWidget(parent)
{
    setFont(textStyleFont(TextStyle::caption, QFont::DemiBold));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void RecordingTimerBadge::setRecording(bool recording)
{
    if (m_isRecording == recording)
        return;
    m_isRecording = recording;
    update();
}

void RecordingTimerBadge::setText(const QString &text)
{
    if (m_text == text)
        return;
    const bool widthMayChange = m_text.size() != text.size();
    m_text = text;
    if (widthMayChange)
        updateGeometry();
    update();
}

QColor RecordingTimerBadge::dotColor() const
{
    if (m_isRecording)
        return recordingRed();
    QColor grey = secondaryTextColor(palette());
    grey.setAlphaF(0.35);
    return grey;
}

QSize RecordingTimerBadge::sizeHint() const
{
    const QFontMetrics metrics(font());
    // Sized for digits of the widest kind, so the badge does not twitch as the seconds change.
    const QString widest = QString(m_text).replace(QRegularExpression(QStringLiteral("\\d")), QStringLiteral("0"));
    const int textWidth = metrics.horizontalAdvance(widest);
    const int height = std::max(dotSize, metrics.height()) + 2 * verticalPadding;
    return { horizontalPadding + dotSize + spacing + textWidth + horizontalPadding, height };
}

void RecordingTimerBadge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = bounds.height() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Button));
    painter.drawRoundedRect(bounds, radius, radius);

    const QRectF dot(horizontalPadding, (height() - dotSize) / 2.0, dotSize, dotSize);
    painter.setBrush(dotColor());
    painter.drawEllipse(dot);

    painter.setPen(palette().color(QPalette::ButtonText));
    const QRect textArea(
        int(dot.right()) + spacing, 0, width() - int(dot.right()) - spacing - horizontalPadding / 2, height());
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, m_text);
}

void RecordingTimerBadge::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

} // namespace lumetra
