// Any UTF-16 text parses into a document whose chunks keep their order and account for the text.

#include "FuzzSupport.h"
#include "GraphemeClusters.h"
#include "ScriptParser.h"

using namespace lumetra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = fuzz::utf16FromBytes(data, size);
    const ScriptDocument document = ScriptParser::parse(text);
    LUMETRA_FUZZ_CHECK(!document.sections.empty());
    LUMETRA_FUZZ_CHECK(ScriptParser::parse(text) == document);

    const std::int64_t characterCount = GraphemeClusters::count(ScriptParser::normalizedLineEnds(text));
    std::int64_t previousId = -1;
    std::int64_t readableBefore = 0;
    for (std::size_t s = 0; s < document.sections.size(); ++s) {
        const ScriptSection &section = document.sections[s];
        LUMETRA_FUZZ_CHECK(section.index == static_cast<std::int64_t>(s));
        std::int64_t previousOffset = 0;
        for (const ScriptParagraph &chunk : section.paragraphs) {
            LUMETRA_FUZZ_CHECK(chunk.id > previousId); // unique and in reading order
            previousId = chunk.id;
            LUMETRA_FUZZ_CHECK(chunk.sectionIndex == section.index);
            LUMETRA_FUZZ_CHECK(chunk.sectionTitle == section.title);
            LUMETRA_FUZZ_CHECK(!chunk.text.isEmpty());
            LUMETRA_FUZZ_CHECK(chunk.globalReadableStart == readableBefore);
            const std::int64_t readable = ScriptParser::readableLength(chunk.text);
            LUMETRA_FUZZ_CHECK(readable >= 0);
            readableBefore += readable;
            LUMETRA_FUZZ_CHECK(chunk.sourceOffset >= previousOffset);
            LUMETRA_FUZZ_CHECK(chunk.sourceOffset < characterCount);
            previousOffset = chunk.sourceOffset;
        }
    }
    LUMETRA_FUZZ_CHECK(document.totalReadableCharacterCount() == readableBefore);
    const auto chunks = document.paragraphs();
    LUMETRA_FUZZ_CHECK(chunks.empty() || chunks.back().id == previousId);
    return 0;
}
