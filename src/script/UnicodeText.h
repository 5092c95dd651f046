#pragma once

#include <QString>
#include <QStringView>

namespace lumetra::UnicodeText {

// The first Unicode scalar of a text (U+FFFD for an empty text or an unpaired surrogate).
char32_t firstScalar(QStringView text);

// The trim set: general categories Zs, Zl, Zp, plus tab, U+000A–U+000D and U+0085.
bool isTrimmable(char32_t scalar);
// Removes trim-set characters from both ends.
QStringView trimmed(QStringView text);

// The Unicode White_Space property.
bool isWhiteSpace(char32_t scalar);

// A letter (Alphabetic) or a number (any Numeric_Type).
bool isLetterOrNumber(char32_t scalar);

// Full Unicode lower-case mapping (root locale).
QString fullLowercase(QStringView text);

} // namespace lumetra::UnicodeText
