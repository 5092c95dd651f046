#include "ScriptParser.h"

#include "GraphemeClusters.h"
#include "ScriptParserSteps.h"
#include "ScriptTextCharacters.h"
#include "UnicodeTables.h"
#include "UnicodeText.h"

namespace lumetra::ScriptParser {
namespace {

using Steps::PendingParagraph;

const QString untitledSection = QStringLiteral("未命名章節");

// Text whose every unit is its own character and either keeps its lower-case form or is an ASCII
// capital: the readable text can be read off unit by unit. Nearly every chunk is such text.
bool isSimpleUnit(char16_t unit)
{
    return (unit >= u'A' && unit <= u'Z')
        || (UnicodeTables::has(unit, UnicodeTables::standsAlone)
            && UnicodeTables::has(unit, UnicodeTables::lowerCaseStable));
}

char16_t simpleLowercase(char16_t unit)
{
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 0x20) : unit;
}

// Calls keep(character) for each readable character of the text, in order.
template <typename Keep> void forEachReadableCharacter(QStringView text, Keep &&keep)
{
    if (std::all_of(text.begin(), text.end(), [](QChar unit) { return isSimpleUnit(unit.unicode()); })) {
        for (const QChar unit : text) {
            const char16_t lower = simpleLowercase(unit.unicode());
            if (UnicodeTables::has(lower, UnicodeTables::letterOrNumber))
                keep(QStringView(&lower, 1));
        }
        return;
    }
    const QString lower = UnicodeText::fullLowercase(text);
    GraphemeClusters::forEach(lower, [&](QStringView character) {
        if (UnicodeText::isLetterOrNumber(UnicodeText::firstScalar(character)))
            keep(character);
        return true;
    });
}

// One pass for the common case: counts while checking that the text is simple.
std::int64_t countReadableCharacters(QStringView text)
{
    std::int64_t length = 0;
    for (const QChar unit : text) {
        // Dropping a character can join its neighbours into one (a soft hyphen between two
        // Hangul jamo, a zero-width space before a vowel sign), so the kept characters are
        // counted as they stand together in the readable text.
        if (!isSimpleUnit(unit.unicode()))
            return GraphemeClusters::count(normalizedReadableText(text));
        length += UnicodeTables::has(simpleLowercase(unit.unicode()), UnicodeTables::letterOrNumber);
    }
    return length;
}

bool isHeading(QStringView trimmedLine)
{
    // "# " as two characters of their own: a space that carries a combining mark is no separator.
    return trimmedLine.startsWith(u"# ") && GraphemeClusters::first(trimmedLine.sliced(1)).size() == 1;
}

// The state of one parse: the running counts and the section being built.
class Parse {
public:
    explicit Parse(QStringView normalizedText)
        : m_text(normalizedText)
        , m_characters(normalizedText)
    {
    }

    ScriptDocument run()
    {
        // A line feed is always a character of its own, so lines can be found by unit.
        qsizetype lineStartUnit = 0;
        while (true) {
            const qsizetype lineFeed = m_text.indexOf(u'\n', lineStartUnit);
            const qsizetype lineEndUnit = lineFeed < 0 ? m_text.size() : lineFeed;
            handleLine(
                m_text.sliced(lineStartUnit, lineEndUnit - lineStartUnit), m_characters.characterIndex(lineStartUnit));
            if (lineFeed < 0)
                break;
            lineStartUnit = lineFeed + 1;
        }
        Steps::flushParagraph(m_collectedLines, m_collectedStart, m_pending);
        closeSection();
        if (m_sections.empty())
            return ScriptDocument::empty();
        return ScriptDocument { std::move(m_sections) };
    }

private:
    void handleLine(QStringView line, std::int64_t lineStart)
    {
        const QStringView trimmedLine = UnicodeText::trimmed(line);
        if (isHeading(trimmedLine)) {
            Steps::flushParagraph(m_collectedLines, m_collectedStart, m_pending);
            closeSection();
            m_title = UnicodeText::trimmed(trimmedLine.sliced(2)).toString();
        } else if (!trimmedLine.isEmpty()) {
            if (m_collectedLines.empty())
                m_collectedStart = lineStart;
            m_collectedLines.push_back(trimmedLine);
        } else {
            Steps::flushParagraph(m_collectedLines, m_collectedStart, m_pending);
        }
    }

    void closeSection()
    {
        if (m_pending.empty() && m_sections.empty())
            return;
        ScriptSection section { static_cast<std::int64_t>(m_sections.size()), m_title, {} };
        std::int64_t searchPosition = 0;
        for (const PendingParagraph &paragraph : m_pending) {
            searchPosition = std::max(searchPosition, paragraph.startOffset);
            for (QString &chunk : Steps::splitIntoDisplayChunks(paragraph.text)) {
                // A chunk that cannot be found (a line that begins with a combining mark joins the
                // space between lines) is placed where the previous one ended, keeping the order.
                std::int64_t sourceOffset = std::min(searchPosition, m_characters.size() - 1);
                if (const auto location = Steps::locateChunk(chunk, m_characters, searchPosition)) {
                    sourceOffset = location->start;
                    searchPosition = location->end;
                }
                const auto position = static_cast<std::int64_t>(section.paragraphs.size());
                const std::int64_t readable = readableLength(chunk);
                section.paragraphs.push_back(ScriptParagraph { section.index * 10000 + position, section.index, m_title,
                    std::move(chunk), m_readableCount, sourceOffset });
                m_readableCount += readable;
            }
        }
        m_sections.push_back(std::move(section));
        m_pending.clear();
    }

    QStringView m_text;
    ScriptTextCharacters m_characters;
    QString m_title = untitledSection;
    std::vector<QStringView> m_collectedLines;
    std::int64_t m_collectedStart = 0;
    std::vector<PendingParagraph> m_pending;
    std::vector<ScriptSection> m_sections;
    std::int64_t m_readableCount = 0;
};

} // namespace

QString normalizedLineEnds(QStringView text)
{
    QString result = text.toString();
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(u'\r', u'\n');
    return result;
}

ScriptDocument parse(QStringView text)
{
    // Most texts have no carriage return: they are parsed where they are, without a copy.
    if (!text.contains(u'\r'))
        return Parse(text).run();
    const QString normalized = normalizedLineEnds(text);
    return Parse(normalized).run();
}

QString normalizedReadableText(QStringView text)
{
    QString result;
    result.reserve(text.size());
    forEachReadableCharacter(text, [&](QStringView character) { result += character; });
    return result;
}

std::int64_t readableLength(QStringView text)
{
    return countReadableCharacters(text);
}

} // namespace lumetra::ScriptParser
