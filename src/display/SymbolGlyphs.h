#pragma once

#include <QStringList>
#include <QStringView>

class QPainter;

namespace lumetra {

// The vector drawings behind symbolIcon(): each symbol on a 24 × 24 unit grid, in the painter's
// pen colour, with strokes of two units and rounded ends.
class SymbolGlyphs {
public:
    static const QStringList &names();
    static bool contains(QStringView name);
    // Draws `name` into the 24 × 24 box at the painter's origin; an unknown name draws the
    // question-mark placeholder. The painter's pen and brush are set by this call.
    static void paint(QPainter &painter, QStringView name);

    static constexpr double gridSize = 24;
};

} // namespace lumetra
