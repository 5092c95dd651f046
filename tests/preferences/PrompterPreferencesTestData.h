#pragma once

#include "PrompterPreferences.h"

#include <QByteArray>

#include <limits>

namespace lumetra::testing {

// A record in which every field differs from its default.
inline PrompterPreferences changedPreferences()
{
    PrompterPreferences preferences;
    preferences.scrollSpeed = 0.1 + 0.2;
    preferences.fontSize = 200;
    preferences.lineSpacing = 4.5;
    preferences.isHorizontallyFlipped = true;
    preferences.textBrightness = 0.35;
    preferences.backgroundBrightness = 0.22;
    preferences.displayContrast = 1.6;
    preferences.horizontalMargin = std::numeric_limits<double>::denorm_min();
    preferences.verticalMargin = -240;
    preferences.readingPosition = 0.7200000000000001;
    preferences.isReadingGuidePinned = false;
    preferences.isHighlightEnabled = false;
    preferences.readTextOpacity = std::numeric_limits<double>::max();
    preferences.isAutoLoopEnabled = true;
    preferences.shortcutSettings = { QStringLiteral("ä"), QStringLiteral("  X "), QStringLiteral("注"),
        QStringLiteral("\U0001F469\u200D\U0001F467") };
    return preferences;
}

// The shortcut object of handWrittenJson(), with an unknown key.
inline QByteArray handWrittenShortcuts()
{
    return QByteArrayLiteral(
        R"({"nextSentenceKey": "k", "fasterKey": "d", "comment": 1, "slowerKey": "a", "previousSentenceKey": "w"})");
}

// A complete record written by hand: integral numbers without fraction, keys in another order
// than the fields, unknown keys.
inline QByteArray handWrittenJson()
{
    return "{\n  \"shortcutSettings\": " + handWrittenShortcuts() + QByteArrayLiteral(R"(,
  "isAutoLoopEnabled": true, "readTextOpacity": 0.5, "isHighlightEnabled": true,
  "isReadingGuidePinned": false, "readingPosition": 0.25, "verticalMargin": -12,
  "horizontalMargin": 10, "displayContrast": 1, "backgroundBrightness": 0,
  "textBrightness": 1.0, "isHorizontallyFlipped": false, "lineSpacing": 14,
  "fontSize": 60, "scrollSpeed": 42, "futureSetting": [1, 2, 3]
})");
}

} // namespace lumetra::testing
