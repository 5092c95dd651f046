#pragma once

#include "UnicodeTables.h"

#include <QString>
#include <QStringView>

namespace lumetra::UnicodeText {

// The first Unicode scalar of a text (U+FFFD for an empty text or an unpaired surrogate).
inline char32_t firstScalar(QStringView text)
{
    if (text.isEmpty())
        return 0xFFFD;
    const char16_t first = text.utf16()[0];
    if (!QChar::isSurrogate(first))
        return first;
    if (QChar::isHighSurrogate(first) && text.size() > 1 && QChar::isLowSurrogate(text.utf16()[1]))
        return QChar::surrogateToUcs4(first, text.utf16()[1]);
    return 0xFFFD;
}

// The trim set: general categories Zs, Zl, Zp, plus tab, U+000A–U+000D and U+0085.
// Every member lies in the Basic Multilingual Plane.
inline bool isTrimmable(char32_t scalar)
{
    return scalar <= 0xFFFF && UnicodeTables::has(static_cast<char16_t>(scalar), UnicodeTables::trimmable);
}
// Removes trim-set characters from both ends.
QStringView trimmed(QStringView text);

bool isWhiteSpaceBeyondBasicPlane(char32_t scalar);
bool isLetterOrNumberBeyondBasicPlane(char32_t scalar);

// The Unicode White_Space property.
inline bool isWhiteSpace(char32_t scalar)
{
    return scalar <= 0xFFFF ? UnicodeTables::has(static_cast<char16_t>(scalar), UnicodeTables::whiteSpace)
                            : isWhiteSpaceBeyondBasicPlane(scalar);
}

// A letter (Alphabetic) or a number (any Numeric_Type).
inline bool isLetterOrNumber(char32_t scalar)
{
    return scalar <= 0xFFFF ? UnicodeTables::has(static_cast<char16_t>(scalar), UnicodeTables::letterOrNumber)
                            : isLetterOrNumberBeyondBasicPlane(scalar);
}

// Full Unicode lower-case mapping (root locale).
QString fullLowercase(QStringView text);

} // namespace lumetra::UnicodeText
