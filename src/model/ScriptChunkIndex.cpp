#include "ScriptChunkIndex.h"

#include "ScriptParser.h"

#include <algorithm>

namespace lumetra {

ScriptChunkIndex::ScriptChunkIndex(const ScriptDocument &document)
    : m_paragraphs(document.paragraphs())
{
    m_readableStarts.reserve(m_paragraphs.size());
    m_readableLengths.reserve(m_paragraphs.size());
    for (const ScriptParagraph &paragraph : m_paragraphs) {
        m_readableStarts.push_back(paragraph.globalReadableStart);
        m_readableLengths.push_back(ScriptParser::readableLength(paragraph.text));
        m_totalReadableCharacterCount += m_readableLengths.back();
    }
    m_firstParagraphOfSection.resize(document.sections.size());
    for (std::int64_t position = count() - 1; position >= 0; --position) {
        const std::int64_t section = paragraph(position).sectionIndex;
        if (section >= 0 && section < static_cast<std::int64_t>(m_firstParagraphOfSection.size()))
            m_firstParagraphOfSection[static_cast<std::size_t>(section)] = position;
    }
}

std::optional<std::int64_t> ScriptChunkIndex::firstParagraphOfSection(std::int64_t sectionIndex) const
{
    if (sectionIndex < 0 || sectionIndex >= static_cast<std::int64_t>(m_firstParagraphOfSection.size()))
        return std::nullopt;
    return m_firstParagraphOfSection[static_cast<std::size_t>(sectionIndex)];
}

std::int64_t ScriptChunkIndex::paragraphIndexForReadableCharacterCount(std::int64_t count) const
{
    if (isEmpty())
        return 0;
    const std::int64_t limited = std::clamp<std::int64_t>(count, 0, m_totalReadableCharacterCount);
    // Readable starts never decrease along the document, so the last start ≤ limited is found by halving.
    const auto after = std::upper_bound(m_readableStarts.begin(), m_readableStarts.end(), limited);
    return std::max<std::int64_t>(after - m_readableStarts.begin() - 1, 0);
}

std::int64_t ScriptChunkIndex::paragraphIndexForSourceOffset(std::int64_t offset) const
{
    // A chunk that was not found in the text carries its paragraph's offset, so offsets may step
    // back between sections: walk in order rather than halving.
    std::int64_t target = 0;
    for (std::int64_t position = 0; position < count(); ++position) {
        if (paragraph(position).sourceOffset > offset)
            break;
        target = position;
    }
    return target;
}

} // namespace lumetra
