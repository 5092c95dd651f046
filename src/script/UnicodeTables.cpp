#include "UnicodeTables.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>

namespace lumetra::UnicodeTables {
namespace {

// Grapheme-break classes other than Other and Control can join a neighbour; CR joins LF.
bool breaksOnBothSides(UChar32 c)
{
    if (c == u'\r' || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    const auto breakClass = u_getIntPropertyValue(c, UCHAR_GRAPHEME_CLUSTER_BREAK);
    return breakClass == U_GCB_OTHER || breakClass == U_GCB_CONTROL || breakClass == U_GCB_LF;
}

std::array<std::uint8_t, 0x10000> buildTable()
{
    std::array<std::uint8_t, 0x10000> table{};
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2 *nfd = icu::Normalizer2::getNFDInstance(status);
    for (UChar32 c = 0; c < 0x10000; ++c) {
        std::uint8_t flags = 0;
        if (breaksOnBothSides(c))
            flags |= standsAlone;
        icu::UnicodeString mapping;
        if (U_SUCCESS(status) && !nfd->getDecomposition(c, mapping))
            flags |= ownCanonicalKey;
        if (u_hasBinaryProperty(c, UCHAR_ALPHABETIC) || u_getIntPropertyValue(c, UCHAR_NUMERIC_TYPE) != U_NT_NONE)
            flags |= letterOrNumber;
        if (u_isUWhiteSpace(c))
            flags |= whiteSpace;
        const auto category = u_charType(c);
        if (c == u'\t' || (c >= 0x0A && c <= 0x0D) || c == 0x85 || category == U_SPACE_SEPARATOR
            || category == U_LINE_SEPARATOR || category == U_PARAGRAPH_SEPARATOR)
            flags |= trimmable;
        // U+0130 is the one unconditional full lower-case mapping that differs from the simple one.
        if (u_tolower(c) == c && c != 0x130)
            flags |= lowerCaseStable;
        table[static_cast<std::size_t>(c)] = flags;
    }
    return table;
}

} // namespace

std::array<std::uint8_t, 0x10000> buildBasicPlane()
{
    return buildTable();
}

} // namespace lumetra::UnicodeTables
