#pragma once

#include "ChineseCharacterFolding.h"

#include <QString>

namespace lumetra::testing {

// `length` CJK ideographs that no other call with a different `block` shares, none of them with a
// Simplified form of its own, so that chunks made of them resemble nothing but themselves.
inline QString distinctCharacters(int block, int length)
{
    QString text;
    char32_t character = 0x4E00 + static_cast<char32_t>(block) * 64;
    while (text.size() < length) {
        if (ChineseCharacterFolding::toSimplified(character) == character)
            text += QString::fromUcs4(&character, 1);
        ++character;
    }
    return text;
}

} // namespace lumetra::testing
