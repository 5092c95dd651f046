#include "UnicodeText.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/locid.h>

namespace lumetra::UnicodeText {

QStringView trimmed(QStringView text)
{
    const char16_t *units = text.utf16();
    qsizetype begin = 0;
    qsizetype end = text.size();
    // Every trim-set member is a single UTF-16 unit, so unit-wise trimming is exact.
    while (begin < end && isTrimmable(units[begin]))
        ++begin;
    while (end > begin && isTrimmable(units[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool isWhiteSpaceBeyondBasicPlane(char32_t scalar)
{
    return u_isUWhiteSpace(static_cast<UChar32>(scalar));
}

bool isLetterOrNumberBeyondBasicPlane(char32_t scalar)
{
    const auto c = static_cast<UChar32>(scalar);
    return u_hasBinaryProperty(c, UCHAR_ALPHABETIC) || u_getIntPropertyValue(c, UCHAR_NUMERIC_TYPE) != U_NT_NONE;
}

QString fullLowercase(QStringView text)
{
    icu::UnicodeString unicode(false, reinterpret_cast<const UChar *>(text.utf16()), static_cast<int32_t>(text.size()));
    unicode.toLower(icu::Locale::getRoot());
    return QString(reinterpret_cast<const QChar *>(unicode.getBuffer()), unicode.length());
}

} // namespace lumetra::UnicodeText
