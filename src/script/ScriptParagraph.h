#pragma once

#include <QString>

#include <cstdint>

namespace lumetra {

// One display chunk ("句") of a section. Lengths and positions count extended grapheme clusters.
struct ScriptParagraph {
    std::int64_t id = 0;           // sectionIndex × 10000 + position within the section
    std::int64_t sectionIndex = 0;
    QString sectionTitle;
    QString text;                   // as displayed
    std::int64_t globalReadableStart = 0; // readable characters in all chunks before this one
    std::int64_t sourceOffset = 0;        // where the chunk begins in the line-end-normalised text

    bool operator==(const ScriptParagraph &) const = default;
};

} // namespace lumetra
