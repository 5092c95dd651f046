#pragma once

#include "ScriptDocument.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lumetra {

// What the model asks of a parsed script many times between two parses, computed once per parse:
// the chunks in document order, their readable lengths and each section's first chunk.
class ScriptChunkIndex {
public:
    ScriptChunkIndex() = default;
    explicit ScriptChunkIndex(const ScriptDocument &document);

    std::int64_t count() const { return static_cast<std::int64_t>(m_paragraphs.size()); }
    bool isEmpty() const { return m_paragraphs.empty(); }
    const std::vector<ScriptParagraph> &paragraphs() const { return m_paragraphs; }
    // `index` must lie in 0 … count() − 1.
    const ScriptParagraph &paragraph(std::int64_t index) const { return m_paragraphs[static_cast<std::size_t>(index)]; }
    std::int64_t readableLength(std::int64_t index) const { return m_readableLengths[static_cast<std::size_t>(index)]; }
    std::int64_t totalReadableCharacterCount() const { return m_totalReadableCharacterCount; }

    // The first chunk of the section with that index; none for a section without chunks.
    std::optional<std::int64_t> firstParagraphOfSection(std::int64_t sectionIndex) const;

    // The last chunk whose readable start is at or before `count` (limited to the script's
    // readable length); 0 without chunks. Chunks without readable characters share the start of
    // the next one, so the later of them is found.
    std::int64_t paragraphIndexForReadableCharacterCount(std::int64_t count) const;

    // The last chunk, walking from the first, whose source offset is at or before `offset`,
    // stopping at the first one that starts after it; 0 when even the first starts after it.
    std::int64_t paragraphIndexForSourceOffset(std::int64_t offset) const;

private:
    std::vector<ScriptParagraph> m_paragraphs;
    std::vector<std::int64_t> m_readableStarts;
    std::vector<std::int64_t> m_readableLengths;
    std::vector<std::optional<std::int64_t>> m_firstParagraphOfSection; // by position in `sections`
    std::int64_t m_totalReadableCharacterCount = 0;
};

} // namespace lumetra
