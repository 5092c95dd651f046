#include "SymbolGlyphs.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <array>

namespace lumetra {

namespace {

constexpr double strokeWidth = 2;

// Paints with one ink colour: outlines as round-capped strokes, solids as fills.
class Ink {
public:
    explicit Ink(QPainter &painter)
        : m_painter(painter)
        , m_color(painter.pen().color())
    {
    }

    void stroke(const QPainterPath &path, double width = strokeWidth) const
    {
        m_painter.setPen(QPen(m_color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawPath(path);
    }
    void fill(const QPainterPath &path) const
    {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(m_color);
        m_painter.drawPath(path);
    }
    void text(const QRectF &box, const QString &text, double pixelSize) const
    {
        // Pixel sizes are whole numbers: draw at 16 and scale, so small labels keep their shape.
        QFont font = m_painter.font();
        font.setBold(true);
        font.setPixelSize(16);
        m_painter.save();
        m_painter.translate(box.center());
        m_painter.scale(pixelSize / 16, pixelSize / 16);
        m_painter.setFont(font);
        m_painter.setPen(m_color);
        m_painter.drawText(QRectF(-32, -16, 64, 32), Qt::AlignCenter, text);
        m_painter.restore();
    }

private:
    QPainter &m_painter;
    QColor m_color;
};

QPainterPath polyline(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    for (const QPointF &point : points) {
        if (path.elementCount() == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path = polyline(points);
    path.closeSubpath();
    return path;
}

QPainterPath circle(QPointF centre, double radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath roundedRect(const QRectF &rect, double radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

// The shape a stroke of `path` covers, to cut out of a solid.
QPainterPath strokeShape(const QPainterPath &path, double width = strokeWidth)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path);
}

const QPointF centre { 12, 12 };
const QRectF ringBox { 3, 3, 18, 18 };

QPainterPath checkmark()
{
    return polyline({ { 7.5, 12.5 }, { 10.5, 15.5 }, { 16.5, 9 } });
}
QPainterPath crossMark()
{
    QPainterPath path = polyline({ { 8.5, 8.5 }, { 15.5, 15.5 } });
    path.addPath(polyline({ { 15.5, 8.5 }, { 8.5, 15.5 } }));
    return path;
}

// An arc of the ring with an arrow head at its end, pointing along the turn.
void circularArrow(const Ink &ink, bool clockwise)
{
    QPainterPath arc;
    const double start = clockwise ? 30 : 150;
    arc.arcMoveTo(ringBox.adjusted(0, 1, 0, 1), start);
    arc.arcTo(ringBox.adjusted(0, 1, 0, 1), start, clockwise ? -300 : 300);
    ink.stroke(arc);
    const double tipX = clockwise ? 15 : 9;
    const double backX = clockwise ? 11 : 13;
    ink.fill(polygon({ { backX, 0.6 }, { tipX, 4 }, { backX, 7.4 } }));
}

void lockBody(const Ink &ink, const QRectF &body)
{
    QPainterPath shackle;
    const double inset = body.width() * 0.22;
    const double left = body.left() + inset;
    const double right = body.right() - inset;
    const double radius = (right - left) / 2;
    shackle.moveTo(left, body.top() + 0.5);
    shackle.lineTo(left, body.top() - radius);
    shackle.arcTo(QRectF(left, body.top() - 2 * radius - 2, right - left, 2 * radius + 2), 180, -180);
    shackle.lineTo(right, body.top() + 0.5);
    ink.stroke(shackle, body.width() * 0.15);
    ink.fill(roundedRect(body, body.width() * 0.15));
}

using Drawing = void (*)(const Ink &);

struct Glyph {
    const char *name;
    Drawing draw;
};

// clang-format off
const std::array glyphs {
    Glyph { "play.fill", [](const Ink &ink) {
        ink.fill(strokeShape(polygon({ { 8, 5.5 }, { 18.5, 12 }, { 8, 18.5 } })).united(
            polygon({ { 8, 5.5 }, { 18.5, 12 }, { 8, 18.5 } })));
    } },
    Glyph { "pause.fill", [](const Ink &ink) {
        ink.fill(roundedRect({ 6, 4.5, 4, 15 }, 1.2));
        ink.fill(roundedRect({ 14, 4.5, 4, 15 }, 1.2));
    } },
    Glyph { "stop.fill", [](const Ink &ink) { ink.fill(roundedRect({ 5.5, 5.5, 13, 13 }, 2.5)); } },
    Glyph { "stop.circle.fill", [](const Ink &ink) {
        ink.fill(circle(centre, 10).subtracted(roundedRect({ 8.5, 8.5, 7, 7 }, 1.2)));
    } },
    Glyph { "record.circle", [](const Ink &ink) {
        ink.stroke(circle(centre, 9));
        ink.fill(circle(centre, 5.5));
    } },
    Glyph { "record.circle.fill", [](const Ink &ink) {
        ink.fill(circle(centre, 10).subtracted(circle(centre, 6.8)).united(circle(centre, 5.3)));
    } },
    Glyph { "backward.end.fill", [](const Ink &ink) {
        ink.fill(roundedRect({ 5, 5, 3, 14 }, 1));
        const QPainterPath triangle = polygon({ { 18.5, 6 }, { 10, 12 }, { 18.5, 18 } });
        ink.fill(triangle.united(strokeShape(triangle, 1.5)));
    } },
    Glyph { "gobackward.10", [](const Ink &ink) {
        circularArrow(ink, false);
        ink.text({ 6, 8, 12, 10 }, QStringLiteral("10"), 7.5);
    } },
    Glyph { "arrow.clockwise", [](const Ink &ink) { circularArrow(ink, true); } },
    Glyph { "chevron.up", [](const Ink &ink) { ink.stroke(polyline({ { 5.5, 15.5 }, { 12, 9 }, { 18.5, 15.5 } }), 2.4); } },
    Glyph { "chevron.down", [](const Ink &ink) { ink.stroke(polyline({ { 5.5, 9 }, { 12, 15.5 }, { 18.5, 9 } }), 2.4); } },
    Glyph { "minus", [](const Ink &ink) { ink.stroke(polyline({ { 5, 12 }, { 19, 12 } }), 2.4); } },
    Glyph { "plus", [](const Ink &ink) {
        ink.stroke(polyline({ { 5, 12 }, { 19, 12 } }), 2.4);
        ink.stroke(polyline({ { 12, 5 }, { 12, 19 } }), 2.4);
    } },
    Glyph { "ellipsis", [](const Ink &ink) {
        ink.fill(circle({ 5.5, 12 }, 1.8).united(circle({ 12, 12 }, 1.8)).united(circle({ 18.5, 12 }, 1.8)));
    } },
    Glyph { "exclamationmark.circle", [](const Ink &ink) {
        ink.stroke(circle(centre, 9));
        ink.stroke(polyline({ { 12, 7.5 }, { 12, 12.5 } }));
        ink.fill(circle({ 12, 16.2 }, 1.3));
    } },
    Glyph { "info.circle", [](const Ink &ink) {
        ink.stroke(circle(centre, 9));
        ink.fill(circle({ 12, 7.8 }, 1.3));
        ink.stroke(polyline({ { 12, 11 }, { 12, 16.5 } }));
    } },
    Glyph { "checkmark.circle", [](const Ink &ink) {
        ink.stroke(circle(centre, 9));
        ink.stroke(checkmark());
    } },
    Glyph { "checkmark.circle.fill", [](const Ink &ink) {
        ink.fill(circle(centre, 10).subtracted(strokeShape(checkmark())));
    } },
    Glyph { "xmark.circle.fill", [](const Ink &ink) {
        ink.fill(circle(centre, 10).subtracted(strokeShape(crossMark())));
    } },
    Glyph { "lock.fill", [](const Ink &ink) { lockBody(ink, { 5.5, 10.5, 13, 10 }); } },
    Glyph { "lock.shield", [](const Ink &ink) {
        QPainterPath shield;
        shield.moveTo(12, 2.5);
        shield.lineTo(19.5, 5.5);
        shield.lineTo(19.5, 11);
        shield.cubicTo(19.5, 16, 16, 19.5, 12, 21.5);
        shield.cubicTo(8, 19.5, 4.5, 16, 4.5, 11);
        shield.lineTo(4.5, 5.5);
        shield.closeSubpath();
        ink.stroke(shield);
        lockBody(ink, { 9, 11, 6, 5 });
    } },
    Glyph { "mic.fill", [](const Ink &ink) {
        ink.fill(roundedRect({ 8.5, 2.5, 7, 12 }, 3.5));
        QPainterPath stand;
        stand.arcMoveTo({ 5.5, 5, 13, 12.5 }, 180);
        stand.arcTo({ 5.5, 5, 13, 12.5 }, 180, 180);
        ink.stroke(stand);
        ink.stroke(polyline({ { 12, 17.5 }, { 12, 21 } }));
    } },
    Glyph { "mic", [](const Ink &ink) {
        ink.stroke(roundedRect({ 9, 3, 6, 11 }, 3));
        QPainterPath stand;
        stand.arcMoveTo({ 5.5, 5, 13, 12.5 }, 180);
        stand.arcTo({ 5.5, 5, 13, 12.5 }, 180, 180);
        ink.stroke(stand);
        ink.stroke(polyline({ { 12, 17.5 }, { 12, 21 } }));
    } },
    Glyph { "video.fill", [](const Ink &ink) {
        ink.fill(roundedRect({ 2.5, 6.5, 13.5, 11 }, 2.5));
        ink.fill(strokeShape(polygon({ { 17.5, 10.5 }, { 21, 8 }, { 21, 16 }, { 17.5, 13.5 } }), 1.5)
                     .united(polygon({ { 17.5, 10.5 }, { 21, 8 }, { 21, 16 }, { 17.5, 13.5 } })));
    } },
    Glyph { "video", [](const Ink &ink) {
        ink.stroke(roundedRect({ 3, 7, 12.5, 10 }, 2.5));
        ink.stroke(polygon({ { 17.5, 10.5 }, { 21, 8 }, { 21, 16 }, { 17.5, 13.5 } }));
    } },
    Glyph { "camera", [](const Ink &ink) {
        QPainterPath body;
        body.moveTo(3, 9);
        body.lineTo(3, 19);
        body.lineTo(21, 19);
        body.lineTo(21, 8);
        body.lineTo(16, 8);
        body.lineTo(14.5, 5);
        body.lineTo(9.5, 5);
        body.lineTo(8, 8);
        body.lineTo(3, 8);
        body.closeSubpath();
        ink.stroke(body);
        ink.stroke(circle({ 12, 13 }, 3.3));
    } },
    Glyph { "folder", [](const Ink &ink) {
        ink.stroke(polygon({ { 3, 5.5 }, { 9.5, 5.5 }, { 11.5, 8 }, { 21, 8 }, { 21, 19 }, { 3, 19 } }));
        ink.stroke(polyline({ { 3, 10.5 }, { 21, 10.5 } }), 1.5);
    } },
    Glyph { "square.and.arrow.down", [](const Ink &ink) {
        ink.stroke(polyline({ { 8.5, 10 }, { 5, 10 }, { 5, 21 }, { 19, 21 }, { 19, 10 }, { 15.5, 10 } }));
        ink.stroke(polyline({ { 12, 2.5 }, { 12, 15 } }));
        ink.stroke(polyline({ { 8.5, 11.5 }, { 12, 15 }, { 15.5, 11.5 } }));
    } },
    Glyph { "doc.text", [](const Ink &ink) {
        ink.stroke(polygon({ { 5.5, 3 }, { 14, 3 }, { 19, 8 }, { 19, 21 }, { 5.5, 21 } }));
        ink.stroke(polyline({ { 14, 3 }, { 14, 8 }, { 19, 8 } }), 1.5);
        ink.stroke(polyline({ { 9, 12 }, { 15.5, 12 } }), 1.5);
        ink.stroke(polyline({ { 9, 15 }, { 15.5, 15 } }), 1.5);
        ink.stroke(polyline({ { 9, 18 }, { 13, 18 } }), 1.5);
    } },
    Glyph { "list.bullet.rectangle", [](const Ink &ink) {
        ink.stroke(roundedRect({ 2.5, 4, 19, 16 }, 3));
        for (double y : { 8.5, 12.0, 15.5 }) {
            ink.fill(circle({ 7, y }, 1.1));
            ink.stroke(polyline({ { 10, y }, { 17.5, y } }), 1.5);
        }
    } },
    Glyph { "slider.horizontal.3", [](const Ink &ink) {
        const std::array<QPointF, 3> knobs { QPointF(15, 6), QPointF(8, 12), QPointF(13, 18) };
        for (const QPointF &knob : knobs) {
            ink.stroke(polyline({ { 3.5, knob.y() }, { 20.5, knob.y() } }), 1.6);
            ink.fill(circle(knob, 2.6));
        }
    } },
    Glyph { "rectangle.on.rectangle", [](const Ink &ink) {
        ink.stroke(polyline({ { 7.5, 8.5 }, { 7.5, 4 }, { 21, 4 }, { 21, 15 }, { 17.5, 15 } }), 1.7);
        ink.stroke(roundedRect({ 3, 8.5, 14.5, 11.5 }, 2));
    } },
    Glyph { "waveform", [](const Ink &ink) {
        const std::array<double, 7> heights { 4, 9, 15, 19, 12, 7, 3 };
        for (std::size_t i = 0; i < heights.size(); ++i) {
            const double x = 3 + 3 * double(i);
            ink.stroke(polyline({ { x, 12 - heights[i] / 2 }, { x, 12 + heights[i] / 2 } }));
        }
    } },
    Glyph { "text.line.first.and.arrowtriangle.forward", [](const Ink &ink) {
        ink.fill(polygon({ { 3, 4 }, { 8.5, 7.5 }, { 3, 11 } }));
        ink.stroke(polyline({ { 11.5, 7.5 }, { 21, 7.5 } }));
        ink.stroke(polyline({ { 3, 13.5 }, { 21, 13.5 } }));
        ink.stroke(polyline({ { 3, 19 }, { 16, 19 } }));
    } },
};
// clang-format on

void drawPlaceholder(const Ink &ink)
{
    ink.stroke(circle(centre, 9));
    ink.text({ 6, 6, 12, 12 }, QStringLiteral("?"), 11);
}

} // namespace

const QStringList &SymbolGlyphs::names()
{
    static const QStringList all = [] {
        QStringList list;
        for (const Glyph &glyph : glyphs)
            list.append(QString::fromLatin1(glyph.name));
        return list;
    }();
    return all;
}

bool SymbolGlyphs::contains(QStringView name)
{
    return names().contains(name);
}

void SymbolGlyphs::paint(QPainter &painter, QStringView name)
{
    const Ink ink(painter);
    for (const Glyph &glyph : glyphs) {
        if (name == QLatin1String(glyph.name)) {
            glyph.draw(ink);
            return;
        }
    }
    drawPlaceholder(ink);
}

} // namespace lumetra
