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

std::array<std::uint8_t, 0x10000> buildBasicPlane();

// Filled when the program starts, before main(), so lookups need no initialisation guard.
// Nothing may look up a unit from another static initialiser.
inline const std::array<std::uint8_t, 0x10000> basicPlane = buildBasicPlane();

inline bool has(char16_t unit, Flag flag)
{
    return (basicPlane[unit] & flag) != 0;
}

} // namespace lumetra::UnicodeTables
