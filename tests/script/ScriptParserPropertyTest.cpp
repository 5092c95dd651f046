#include "GraphemeClusters.h"
#include "ScriptParser.h"
#include "ScriptTextGenerator.h"
#include "UnicodeText.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <set>

using namespace lumetra;

namespace {

// A plain, independent reading of the text: its characters as separate strings.
QStringList charactersOf(const QString &text)
{
    QStringList characters;
    GraphemeClusters::forEach(text, [&](QStringView character) {
        characters.append(character.toString());
        return true;
    });
    return characters;
}

bool isWhiteSpaceCharacter(const QString &character)
{
    return UnicodeText::isWhiteSpace(UnicodeText::firstScalar(character));
}

QStringList nonWhiteSpace(const QStringList &characters)
{
    QStringList result;
    for (const QString &character : characters)
        if (!isWhiteSpaceCharacter(character))
            result.append(character.normalized(QString::NormalizationForm_D));
    return result;
}

// Whether the text, read from `offset` and skipping white space, begins with the chunk's
// non-white-space characters.
bool chunkStandsAt(const QStringList &text, qsizetype offset, const QString &chunk)
{
    if (offset < 0 || offset >= text.size() || isWhiteSpaceCharacter(text[offset]))
        return false;
    const QStringList wanted = nonWhiteSpace(charactersOf(chunk));
    const QStringList available = nonWhiteSpace(text.mid(offset));
    return available.mid(0, wanted.size()) == wanted;
}

// Readable characters of every line that is not a heading: what the chunks must account for.
std::int64_t readableBodyCharacters(const QString &normalized)
{
    std::int64_t total = 0;
    for (const QString &line : normalized.split(u'\n')) {
        const QStringView trimmed = UnicodeText::trimmed(line);
        if (!trimmed.startsWith(u"# "))
            total += ScriptParser::readableLength(line);
    }
    return total;
}

} // namespace

TEST(ScriptParserProperties, HoldForManyGeneratedScripts)
{
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE(seed);
        const QString text = lumetra::testing::randomScript(seed);
        const ScriptDocument document = ScriptParser::parse(text);
        ASSERT_EQ(ScriptParser::parse(text), document) << "parsing is deterministic";
        ASSERT_FALSE(document.sections.empty());

        const QString normalized = ScriptParser::normalizedLineEnds(text);
        const QStringList characters = charactersOf(normalized);
        const auto chunks = document.paragraphs();
        std::set<std::int64_t> ids;
        std::int64_t previousId = -1;
        std::int64_t expectedStart = 0;
        for (std::size_t i = 0; i < document.sections.size(); ++i)
            EXPECT_EQ(document.sections[i].index, static_cast<std::int64_t>(i));
        for (const ScriptParagraph &chunk : chunks) {
            EXPECT_GT(chunk.id, previousId);
            EXPECT_TRUE(ids.insert(chunk.id).second);
            previousId = chunk.id;
            EXPECT_EQ(chunk.globalReadableStart, expectedStart);
            expectedStart += ScriptParser::readableLength(chunk.text);
            EXPECT_TRUE(chunkStandsAt(characters, chunk.sourceOffset, chunk.text))
                << "chunk '" << chunk.text.toStdString() << "' at " << chunk.sourceOffset;
            EXPECT_FALSE(chunk.text.isEmpty());
            EXPECT_LE(GraphemeClusters::count(chunk.text), 42);
        }
        EXPECT_EQ(expectedStart, document.totalReadableCharacterCount());
        EXPECT_EQ(document.totalReadableCharacterCount(), readableBodyCharacters(normalized)) << "no text is lost";
    }
}

TEST(ScriptParserProperties, SourceOffsetsNeverDecreaseWithinASection)
{
    for (std::uint32_t seed = 1000; seed < 1200; ++seed) {
        const ScriptDocument document = ScriptParser::parse(lumetra::testing::randomScript(seed));
        for (const ScriptSection &section : document.sections)
            for (std::size_t i = 1; i < section.paragraphs.size(); ++i)
                EXPECT_LE(section.paragraphs[i - 1].sourceOffset, section.paragraphs[i].sourceOffset) << seed;
    }
}
