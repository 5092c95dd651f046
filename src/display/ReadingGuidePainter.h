#pragma once

#include <QRectF>
#include <QString>

class QPainter;

namespace lumetra {

// The red reading line across the whole width and its "閱讀位置" caption near the left edge.
// Never mirrored: it marks a place on the glass, not on the script.
class ReadingGuidePainter {
public:
    static constexpr double lineThickness = 4;

    static QString caption();
    // The line centred on `y`, and the caption box, in window coordinates.
    static QRectF lineRect(double width, double y);
    static QRectF captionRect(double y);
    // `opacity` fades both in and out (1 shown, 0 hidden).
    static void paint(QPainter &painter, double width, double y, double opacity);
};

} // namespace lumetra
