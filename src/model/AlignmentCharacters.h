#pragma once

#include <QStringView>

#include <vector>

namespace lumetra {

// A text as the voice alignment compares it: one key per user-perceived character, equal keys
// for equal characters, and a Traditional character and its Simplified form share a key.
using AlignmentCharacters = std::vector<char32_t>;

// Keys of the text's characters in order (the text is expected in readable form already).
// A character of one code point is keyed by its Simplified form; a character made of several
// code points (an emoji sequence, a letter with a combining mark) gets a key of its own above
// the code-point range, the same one for the same sequence throughout the process.
AlignmentCharacters alignmentCharacters(QStringView text);

} // namespace lumetra
