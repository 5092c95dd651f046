#include "ScriptDocument.h"

#include "ScriptParser.h"

namespace lumetra {

std::vector<ScriptParagraph> ScriptDocument::paragraphs() const
{
    std::size_t total = 0;
    for (const ScriptSection &section : sections)
        total += section.paragraphs.size();
    std::vector<ScriptParagraph> all;
    all.reserve(total);
    for (const ScriptSection &section : sections)
        all.insert(all.end(), section.paragraphs.begin(), section.paragraphs.end());
    return all;
}

std::int64_t ScriptDocument::totalReadableCharacterCount() const
{
    std::int64_t total = 0;
    for (const ScriptSection &section : sections)
        for (const ScriptParagraph &paragraph : section.paragraphs)
            total += ScriptParser::readableLength(paragraph.text);
    return total;
}

const ScriptDocument &ScriptDocument::empty()
{
    static const ScriptDocument document{{ScriptSection{0, QStringLiteral("未命名章節"), {}}}};
    return document;
}

} // namespace lumetra
