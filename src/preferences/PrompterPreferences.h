#pragma once

#include "ShortcutSettings.h"

#include <QByteArray>

#include <optional>

namespace lumetra {

// The persisted look and motion settings of the prompter. No field is range-checked here:
// a stored value outside a control's range is kept as it is.
struct PrompterPreferences {
    double scrollSpeed = 42;
    double fontSize = 54;
    double lineSpacing = 14;
    bool isHorizontallyFlipped = false;
    double textBrightness = 1.0;
    double backgroundBrightness = 0.0;
    double displayContrast = 1.0;
    double horizontalMargin = 8;
    double verticalMargin = 0;
    double readingPosition = 0.35;
    bool isReadingGuidePinned = true;
    bool isHighlightEnabled = true;
    double readTextOpacity = 0.28;
    bool isAutoLoopEnabled = false;
    ShortcutSettings shortcutSettings;

    bool operator==(const PrompterPreferences &) const = default;

    // Compact UTF-8 JSON whose keys are the field names; empty when a number is not finite,
    // since JSON has no form for NaN or infinity.
    QByteArray toJson() const;

    // Strict: every field must be present with its JSON type (numbers for doubles, true/false
    // for flags, an object of four strings for the shortcuts); unknown keys are ignored.
    // Anything else, a number beyond the range of a double included, gives no record at all.
    static std::optional<PrompterPreferences> fromJson(const QByteArray &json);
};

} // namespace lumetra
