#include "UnicodeText.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/locid.h>

namespace lumetra::UnicodeText {

char32_t firstScalar(QStringView text)
{
    if (text.isEmpty())
        return 0xFFFD;
    const char16_t first = text.utf16()[0];
    if (QChar::isHighSurrogate(first) && text.size() > 1 && QChar::isLowSurrogate(text.utf16()[1]))
        return QChar::surrogateToUcs4(first, text.utf16()[1]);
    if (QChar::isSurrogate(first))
        return 0xFFFD;
    return first;
}

bool isTrimmable(char32_t scalar)
{
    if (scalar == u'\t' || (scalar >= 0x0A && scalar <= 0x0D) || scalar == 0x85)
        return true;
    if (scalar < 0x80)
        return scalar == u' ';
    const auto category = u_charType(static_cast<UChar32>(scalar));
    return category == U_SPACE_SEPARATOR || category == U_LINE_SEPARATOR || category == U_PARAGRAPH_SEPARATOR;
}

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

bool isWhiteSpace(char32_t scalar)
{
    if (scalar < 0x80)
        return scalar == u' ' || (scalar >= 0x09 && scalar <= 0x0D);
    return u_isUWhiteSpace(static_cast<UChar32>(scalar));
}

bool isLetterOrNumber(char32_t scalar)
{
    if (scalar < 0x80)
        return (scalar >= u'a' && scalar <= u'z') || (scalar >= u'A' && scalar <= u'Z') || (scalar >= u'0' && scalar <= u'9');
    const auto c = static_cast<UChar32>(scalar);
    return u_hasBinaryProperty(c, UCHAR_ALPHABETIC)
           || u_getIntPropertyValue(c, UCHAR_NUMERIC_TYPE) != U_NT_NONE;
}

QString fullLowercase(QStringView text)
{
    icu::UnicodeString unicode(false, reinterpret_cast<const UChar *>(text.utf16()), static_cast<int32_t>(text.size()));
    unicode.toLower(icu::Locale::getRoot());
    return QString(reinterpret_cast<const QChar *>(unicode.getBuffer()), unicode.length());
}

} // namespace lumetra::UnicodeText
