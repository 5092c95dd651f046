#pragma once

#include "ScriptSection.h"

#include <cstdint>
#include <vector>

namespace lumetra {

// A parsed script: its sections in text order, never empty when made by the parser.
struct ScriptDocument {
    std::vector<ScriptSection> sections;

    // All chunks of all sections in order; chunk i of the whole script is element i.
    std::vector<ScriptParagraph> paragraphs() const;
    // Readable characters in the whole script.
    std::int64_t totalReadableCharacterCount() const;

    // One section "未命名章節" without chunks: what a text without any section parses to.
    static const ScriptDocument &empty();

    bool operator==(const ScriptDocument &) const = default;
};

} // namespace lumetra
