#pragma once

#include <QLatin1String>
#include <QString>

#include <array>

namespace lumetra {

// The four reassignable single-key shortcuts, each meant to hold one lower-case character.
struct ShortcutSettings {
    QString slowerKey = QStringLiteral("a");
    QString fasterKey = QStringLiteral("d");
    QString previousSentenceKey = QStringLiteral("w");
    QString nextSentenceKey = QStringLiteral("s");

    bool operator==(const ShortcutSettings &) const = default;

    // Repairs each key on its own: trimmed, lower-cased, cut to its first user-perceived
    // character, and the key's default when nothing is left.
    void normalize();
};

// The keys in their fixed order with their names in the stored JSON form.
struct ShortcutSettingsField {
    QLatin1String name;
    QString ShortcutSettings::*member;
};

inline const std::array<ShortcutSettingsField, 4> shortcutSettingsFields { {
    { QLatin1String("slowerKey"), &ShortcutSettings::slowerKey },
    { QLatin1String("fasterKey"), &ShortcutSettings::fasterKey },
    { QLatin1String("previousSentenceKey"), &ShortcutSettings::previousSentenceKey },
    { QLatin1String("nextSentenceKey"), &ShortcutSettings::nextSentenceKey },
} };

} // namespace lumetra
