#pragma once

#include <QColor>
#include <QIconEngine>
#include <QString>

#include <optional>

namespace lumetra {

// Draws one symbol of SymbolGlyphs at any size and device pixel ratio, so icons need no image
// files and stay sharp on every screen.
class SymbolIconEngine : public QIconEngine {
public:
    // Without a colour the symbol takes the palette's window text when painted.
    SymbolIconEngine(QString symbolName, std::optional<QColor> color);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;
    QString iconName() override;
    bool isNull() override;

private:
    QColor inkColor(QIcon::Mode mode) const;

    QString m_symbolName;
    std::optional<QColor> m_color;
};

} // namespace lumetra
