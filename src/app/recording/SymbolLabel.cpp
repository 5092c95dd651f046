#include "SymbolLabel.h"

#include "SymbolIcon.h"

#include <QLabel>

namespace lumetra {

void showSymbol(QLabel *label, const QString &symbol, int side, const QColor &color)
{
    const QIcon icon = color.isValid() ? symbolIcon(symbol, color) : symbolIcon(symbol);
    label->setPixmap(icon.pixmap(QSize(side, side), label->devicePixelRatioF()));
    label->setProperty("symbol", symbol);
}

} // namespace lumetra
