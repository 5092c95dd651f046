#include "ShortcutSettings.h"

#include "GraphemeClusters.h"
#include "UnicodeText.h"

namespace lumetra {

void ShortcutSettings::normalize()
{
    static const ShortcutSettings defaults;
    for (const ShortcutSettingsField &field : shortcutSettingsFields) {
        QString &key = this->*field.member;
        // Lower-casing can lengthen the text ("İ" becomes "i" + combining dot), so the first
        // character is taken only afterwards. A prefix mark (U+0600) joins a following space into
        // its character, so that character is trimmed too: a repaired key stays as it is.
        const QString lowered = UnicodeText::fullLowercase(UnicodeText::trimmed(key));
        const QStringView first = UnicodeText::trimmed(GraphemeClusters::first(lowered));
        key = first.isEmpty() ? defaults.*field.member : first.toString();
    }
}

} // namespace lumetra
