#include "ScriptParserSteps.h"

#include "GraphemeClusters.h"
#include "UnicodeTables.h"
#include "UnicodeText.h"

#include <algorithm>
#include <functional>

namespace lumetra::ScriptParser::Steps {
namespace {

constexpr std::int64_t longestWholeChunk = 42;
constexpr std::int64_t pieceLength = 32;

bool isSentenceEnding(char16_t unit)
{
    switch (unit) {
    case u'。':
    case u'！':
    case u'？':
    case u'!':
    case u'?':
    case u'；':
    case u';':
        return true;
    default:
        return false;
    }
}

// Whether a character boundary lies at `at`. Two units that stand alone are always split, so the
// segmentation rules are asked only next to the rare units that can join (marks, emoji, …).
class BoundaryTest {
public:
    explicit BoundaryTest(QStringView text)
        : m_text(text)
    {
    }

    bool operator()(qsizetype at)
    {
        if (at == 0 || at == m_text.size())
            return true;
        if (UnicodeTables::has(m_text[at - 1].unicode(), UnicodeTables::standsAlone)
            && UnicodeTables::has(m_text[at].unicode(), UnicodeTables::standsAlone))
            return true;
        if (m_boundaries.empty())
            m_boundaries = GraphemeClusters::boundaries(m_text);
        return std::binary_search(m_boundaries.begin(), m_boundaries.end(), at);
    }

private:
    QStringView m_text;
    std::vector<qsizetype> m_boundaries;
};

// The chunk found where it stands unit for unit in the text, from the character `start` on. The
// white space inside it is then the text's own, and ending on a character that stands alone and
// is no white space, the chunk's last character is the last one matched.
std::optional<ChunkLocation> verbatimAt(QStringView chunk, const ScriptTextCharacters &characters, std::int64_t start)
{
    if (chunk.isEmpty())
        return std::nullopt;
    const char16_t last = chunk.back().unicode();
    if (!UnicodeTables::has(last, UnicodeTables::standsAlone) || UnicodeTables::has(last, UnicodeTables::whiteSpace))
        return std::nullopt;
    const QStringView text = characters.text();
    const qsizetype begin = characters.utf16Offset(start);
    if (text.size() - begin < chunk.size() || text.sliced(begin, chunk.size()) != chunk)
        return std::nullopt;
    if (const auto end = characters.characterStartingAt(begin + chunk.size()))
        return ChunkLocation { start, *end };
    return std::nullopt;
}

} // namespace

void flushParagraph(
    std::vector<QStringView> &collectedLines, std::int64_t collectedStartOffset, std::vector<PendingParagraph> &pending)
{
    QString joined;
    for (const QStringView line : collectedLines) {
        const QStringView trimmedLine = UnicodeText::trimmed(line);
        if (trimmedLine.isEmpty())
            continue;
        if (!joined.isEmpty())
            joined += u' ';
        joined += trimmedLine;
    }
    if (!joined.isEmpty())
        pending.push_back({ joined, collectedStartOffset });
    collectedLines.clear();
}

std::vector<QString> splitIntoDisplayChunks(QStringView paragraph)
{
    std::vector<QString> chunks;
    BoundaryTest isBoundary(paragraph);
    qsizetype bufferStart = 0;
    for (qsizetype position = 0; position < paragraph.size(); ++position) {
        // An ending counts only as a character of its own (not carrying a mark, say).
        if (!isSentenceEnding(paragraph[position].unicode()) || !isBoundary(position) || !isBoundary(position + 1))
            continue;
        appendChunk(paragraph.sliced(bufferStart, position + 1 - bufferStart), chunks);
        bufferStart = position + 1;
    }
    appendChunk(paragraph.sliced(bufferStart), chunks);
    if (chunks.empty())
        chunks.push_back(paragraph.toString());
    return chunks;
}

void appendChunk(QStringView candidate, std::vector<QString> &chunks)
{
    const QStringView chunk = UnicodeText::trimmed(candidate);
    if (chunk.isEmpty())
        return;
    // A chunk of at most 42 UTF-16 units has at most 42 characters.
    if (chunk.size() <= longestWholeChunk) {
        chunks.push_back(chunk.toString());
        return;
    }
    const std::vector<qsizetype> bounds = GraphemeClusters::boundaries(chunk);
    const auto length = static_cast<std::int64_t>(bounds.size()) - 1;
    if (length <= longestWholeChunk) {
        chunks.push_back(chunk.toString());
        return;
    }
    for (std::int64_t first = 0; first < length; first += pieceLength) {
        const std::int64_t last = std::min(first + pieceLength, length);
        const qsizetype begin = bounds[static_cast<std::size_t>(first)];
        chunks.push_back(chunk.sliced(begin, bounds[static_cast<std::size_t>(last)] - begin).toString());
    }
}

std::optional<ChunkLocation> locateChunk(QStringView chunk, const ScriptTextCharacters &characters, std::int64_t start)
{
    // Searching the text's non-white-space characters for the chunk's finds the same first
    // position as walking the text and skipping white space on both sides.
    const std::vector<std::int64_t> &positions = characters.positions();
    const std::size_t first = characters.firstNonWhiteSpaceAtOrAfter(std::max<std::int64_t>(start, 0));
    const auto located = [&](std::size_t at, std::size_t length) -> std::optional<ChunkLocation> {
        if (length == 0)
            return std::nullopt;
        return ChunkLocation { positions[at], positions[at + length - 1] + 1 };
    };

    if (first < positions.size()) {
        // The chunk nearly always stands at the search position, most often verbatim.
        if (const auto location = verbatimAt(chunk, characters, positions[first]))
            return location;
        if (const auto length = characters.matchLengthAt(chunk, first))
            return located(first, *length);
    }

    const std::vector<std::uint32_t> needle = characters.nonWhiteSpaceKeys(chunk);
    const std::vector<std::uint32_t> &keys = characters.keys();
    const auto found = std::search(keys.begin() + static_cast<std::ptrdiff_t>(first), keys.end(),
        std::boyer_moore_horspool_searcher(needle.begin(), needle.end()));
    if (needle.empty() || found == keys.end())
        return std::nullopt;
    return located(static_cast<std::size_t>(found - keys.begin()), needle.size());
}

} // namespace lumetra::ScriptParser::Steps
