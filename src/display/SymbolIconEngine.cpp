#include "SymbolIconEngine.h"

#include "SymbolGlyphs.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <algorithm>
#include <utility>

namespace lumetra {

SymbolIconEngine::SymbolIconEngine(QString symbolName, std::optional<QColor> color)
    : m_symbolName(std::move(symbolName))
    , m_color(std::move(color))
{
}

QColor SymbolIconEngine::inkColor(QIcon::Mode mode) const
{
    const QPalette palette = QGuiApplication::palette();
    QColor ink = m_color.value_or(palette.color(QPalette::Active, QPalette::WindowText));
    if (mode == QIcon::Selected && !m_color)
        ink = palette.color(QPalette::Active, QPalette::HighlightedText);
    if (mode == QIcon::Disabled)
        ink.setAlphaF(ink.alphaF() * 0.38f);
    return ink;
}

void SymbolIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State)
{
    // Square and centred: a symbol keeps its proportions in any box.
    const double side = std::min(rect.width(), rect.height());
    if (side <= 0)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2);
    painter->scale(side / SymbolGlyphs::gridSize, side / SymbolGlyphs::gridSize);
    painter->setPen(inkColor(mode));
    SymbolGlyphs::paint(*painter, m_symbolName);
    painter->restore();
}

QPixmap SymbolIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1);
}

QPixmap SymbolIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale)
{
    // QIcon asks in device pixels already: drawing at exactly that size keeps every edge sharp
    // instead of scaling a small image up.
    if (size.isEmpty())
        return {};
    QPixmap image(size);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    }
    image.setDevicePixelRatio(std::max<qreal>(scale, 1));
    return image;
}

QSize SymbolIconEngine::actualSize(const QSize &size, QIcon::Mode, QIcon::State)
{
    return size;
}

QIconEngine *SymbolIconEngine::clone() const
{
    return new SymbolIconEngine(m_symbolName, m_color);
}

QString SymbolIconEngine::key() const
{
    return QStringLiteral("lumetra-symbol");
}

QString SymbolIconEngine::iconName()
{
    return m_symbolName;
}

bool SymbolIconEngine::isNull()
{
    return false;
}

} // namespace lumetra
