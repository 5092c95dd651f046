#pragma once

#include <array>
#include <cstdint>

// Per-unit Unicode facts for the Basic Multilingual Plane, looked up once from ICU, so that the
// parser, which runs on every keystroke, pays one table load per character instead of several
// ICU property queries.
namespace lumetra::UnicodeTables {

enum Flag : std::uint8_t {
    standsAlone = 1 << 0,    // its own grapheme cluster when its neighbours also stand alone
    ownCanonicalKey = 1 << 1, // no canonical decomposition
    letterOrNumber = 1 << 2, // Alphabetic, or any Numeric_Type
    whiteSpace = 1 << 3,     // White_Space
    trimmable = 1 << 4,      // Zs, Zl, Zp, tab, U+000A–U+000D, U+0085
    lowerCaseStable = 1 << 5, // full lower-case mapping leaves it as it is
};

const std::array<std::uint8_t, 0x10000> &buildBasicPlane();

inline const std::array<std::uint8_t, 0x10000> &basicPlane()
{
    static const std::array<std::uint8_t, 0x10000> &table = buildBasicPlane();
    return table;
}

inline bool has(char16_t unit, Flag flag)
{
    return (basicPlane()[unit] & flag) != 0;
}

} // namespace lumetra::UnicodeTables
