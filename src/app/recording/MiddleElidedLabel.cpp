#include "MiddleElidedLabel.h"

#include <QPainter>

namespace lumetra {

QString MiddleElidedLabel::displayedText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, width());
}

void MiddleElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, displayedText());
}

} // namespace lumetra
