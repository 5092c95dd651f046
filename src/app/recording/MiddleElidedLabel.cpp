#include "MiddleElidedLabel.h"

#include <QPainter>

namespace lumetra {

MiddleElidedLabel::MiddleElidedLabel(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void MiddleElidedLabel::setText(const QString &text)
{
    if (m_text == text)
        return;
    m_text = text;
    setToolTip(text);
    updateGeometry();
    update();
}

QString MiddleElidedLabel::displayedText() const
{
    return fontMetrics().elidedText(m_text, Qt::ElideMiddle, width());
}

QSize MiddleElidedLabel::sizeHint() const
{
    return { fontMetrics().horizontalAdvance(m_text), fontMetrics().height() };
}

QSize MiddleElidedLabel::minimumSizeHint() const
{
    return { fontMetrics().horizontalAdvance(QStringLiteral("…")) * 4, fontMetrics().height() };
}

void MiddleElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, displayedText());
}

} // namespace lumetra
