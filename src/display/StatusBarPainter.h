#pragma once

#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

namespace lumetra {

// What the status bar along the bottom of the prompter shows.
struct StatusBarContent {
    QString modeSymbol; // "waveform", "play.fill" or "pause.fill"
    QString sectionTitle;
    std::optional<QString> recordingTime; // shown as a badge while recording
    QString progress; // "k / N"
    double textBrightness = 1;
    double backgroundBrightness = 0;
    bool operator==(const StatusBarContent &) const = default;
};

// Draws the status bar: the mode icon in a yellow circle, the section title, the recording
// badge and the progress, on a translucent band with a hairline along its top.
class StatusBarPainter {
public:
    static constexpr double horizontalPadding = 34;
    static constexpr double verticalPadding = 18;
    static constexpr double itemSpacing = 14;
    static constexpr double modeCircleSize = 34;

    // The bar's height, set by its tallest item.
    static double height();
    static void paint(QPainter &painter, const QRectF &bar, const StatusBarContent &content);
};

} // namespace lumetra
