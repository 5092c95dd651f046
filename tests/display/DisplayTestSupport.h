#pragma once

#include "PrompterViewModel.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <memory>

namespace lumetra {
class PrompterDisplayView;
}

namespace lumetra::testing {

// A model on `script` with the default settings (whatever an earlier test stored), recording nothing.
std::unique_ptr<PrompterViewModel> displayModel(const QString &script);

// Lets queued layout reports, scroll moves and repaints run.
void settle();

// The view as drawn now, at one device pixel per point.
QImage renderedView(PrompterDisplayView &view);

// Ink is what differs from the background: the bounding box of pixels of `image` inside `area`
// whose brightness differs from `background` by more than a trace, and their count.
struct Ink {
    QRect bounds;
    int pixels = 0;
    // The brightest grey level found among them (0 … 255).
    int brightest = 0;
};
Ink inkIn(const QImage &image, const QRect &area, const QColor &background = Qt::black);

// The rows of `image` (in `area`) where red clearly outweighs green and blue.
QRect redBand(const QImage &image, const QRect &area);

} // namespace lumetra::testing
