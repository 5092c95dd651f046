#include "DisplayTestSupport.h"

#include "IdleRecordingEngine.h"
#include "PrompterDisplayView.h"

#include <QCoreApplication>
#include <QSettings>

#include <algorithm>
#include <cstdlib>

namespace lumetra::testing {

std::unique_ptr<PrompterViewModel> displayModel(const QString &script)
{
    // The model restores the settings an earlier model of the same run saved: start afresh.
    QSettings().clear();
    return std::make_unique<PrompterViewModel>(script, idleRecordingEngine());
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

QImage renderedView(PrompterDisplayView &view)
{
    view.ensureLayout();
    settle();
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

Ink inkIn(const QImage &image, const QRect &area, const QColor &background)
{
    Ink ink;
    const QRect inside = area.intersected(image.rect());
    const int backgroundGrey = qGray(background.rgb());
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const int grey = qGray(line[x]);
            if (std::abs(grey - backgroundGrey) <= 24)
                continue;
            ++ink.pixels;
            ink.brightest = std::max(ink.brightest, grey);
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (ink.pixels > 0)
        ink.bounds = QRect(QPoint(left, top), QPoint(right, bottom));
    return ink;
}

QRect redBand(const QImage &image, const QRect &area)
{
    const QRect inside = area.intersected(image.rect());
    int top = INT_MAX, bottom = INT_MIN;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        int red = 0;
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            red += qRed(pixel) > 200 && qGreen(pixel) < 110 && qBlue(pixel) < 110 ? 1 : 0;
        }
        // A row of the line is red almost all the way across the area.
        if (red >= inside.width() * 9 / 10) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return top <= bottom ? QRect(inside.left(), top, inside.width(), bottom - top + 1) : QRect();
}

} // namespace lumetra::testing
