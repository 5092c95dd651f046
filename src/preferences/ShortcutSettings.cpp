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
        // character is taken only afterwards.
        const QString lowered = UnicodeText::fullLowercase(UnicodeText::trimmed(key));
        const QStringView first = GraphemeClusters::first(lowered);
        key = first.isEmpty() ? defaults.*field.member : first.toString();
    }
}

} // namespace lumetra
