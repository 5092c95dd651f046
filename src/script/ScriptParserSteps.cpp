#include "ScriptParserSteps.h"

#include "GraphemeClusters.h"
#include "UnicodeText.h"

#include <algorithm>
#include <functional>

namespace lumetra::ScriptParser::Steps {
namespace {

constexpr std::int64_t longestWholeChunk = 42;
constexpr std::int64_t pieceLength = 32;

bool isSentenceEnding(QStringView character)
{
    if (character.size() != 1)
        return false;
    switch (character.front().unicode()) {
    case u'。': case u'！': case u'？': case u'!': case u'?': case u'；': case u';':
        return true;
    default:
        return false;
    }
}

} // namespace

void flushParagraph(std::vector<QStringView> &collectedLines, std::int64_t collectedStartOffset,
                    std::vector<PendingParagraph> &pending)
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
        pending.push_back({joined, collectedStartOffset});
    collectedLines.clear();
}

std::vector<QString> splitIntoDisplayChunks(QStringView paragraph)
{
    std::vector<QString> chunks;
    qsizetype bufferStart = 0;
    qsizetype position = 0;
    GraphemeClusters::forEach(paragraph, [&](QStringView character) {
        position += character.size();
        if (isSentenceEnding(character)) {
            appendChunk(paragraph.sliced(bufferStart, position - bufferStart), chunks);
            bufferStart = position;
        }
        return true;
    });
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

std::optional<ChunkLocation> locateChunk(QStringView chunk, const ScriptTextCharacters &characters,
                                         std::int64_t start)
{
    const std::vector<std::uint32_t> needle = characters.nonWhiteSpaceKeys(chunk);
    if (needle.empty())
        return std::nullopt;
    // Searching the text's non-white-space characters for the needle finds the same first
    // position as walking the text and skipping white space on both sides.
    const std::vector<std::int64_t> &positions = characters.positions();
    const std::vector<std::uint32_t> &keys = characters.keys();
    const auto from = std::lower_bound(positions.begin(), positions.end(), std::max<std::int64_t>(start, 0));
    const auto haystackBegin = keys.begin() + (from - positions.begin());
    const auto needleSize = static_cast<std::ptrdiff_t>(needle.size());
    if (keys.end() - haystackBegin < needleSize)
        return std::nullopt;

    auto found = keys.end();
    // The chunk nearly always starts right at the search position.
    if (std::equal(needle.begin(), needle.end(), haystackBegin))
        found = haystackBegin;
    else
        found = std::search(haystackBegin, keys.end(),
                            std::boyer_moore_horspool_searcher(needle.begin(), needle.end()));
    if (found == keys.end())
        return std::nullopt;
    const auto firstIndex = static_cast<std::size_t>(found - keys.begin());
    return ChunkLocation{positions[firstIndex], positions[firstIndex + needle.size() - 1] + 1};
}

} // namespace lumetra::ScriptParser::Steps
