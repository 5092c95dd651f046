#pragma once

#include <QString>

#include <cstdint>

namespace lumetra::testing {

// A random script that mixes everything the parser must cope with: CJK and Latin sentences,
// full-width and ASCII punctuation, emoji and ZWJ sequences, combining marks, "\r\n" and lone
// "\r", every heading form, white-space-only lines (U+3000, no-break space), sentences over
// 42 characters, "？！" runs and empty sections. A combining mark never follows a space or a line
// start, so every chunk can be found again in the text.
QString randomScript(std::uint32_t seed);

// A script of about `characters` characters made of many sections and paragraphs of CJK
// sentences with some Latin, as a long talk would be.
QString longScript(std::int64_t characters, std::uint32_t seed = 1);

} // namespace lumetra::testing
