#pragma once

#include "ScriptTextCharacters.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

// The internal steps of ScriptParser::parse, exposed for tests.
namespace lumetra::ScriptParser::Steps {

struct PendingParagraph {
    QString text;
    std::int64_t startOffset = 0;
    bool operator==(const PendingParagraph &) const = default;
};

struct ChunkLocation {
    std::int64_t start = 0; // first matched character
    std::int64_t end = 0;   // just after the last matched character
    bool operator==(const ChunkLocation &) const = default;
};

// Closes the paragraph being collected: trims each line again, drops empty ones, joins the rest
// with one space and, if anything remains, adds it to `pending` with its start offset.
// Always empties `collectedLines`.
void flushParagraph(std::vector<QStringView> &collectedLines, std::int64_t collectedStartOffset,
                    std::vector<PendingParagraph> &pending);

// Cuts a paragraph after every sentence ending (。！？!?；;), each piece through appendChunk.
std::vector<QString> splitIntoDisplayChunks(QStringView paragraph);

// Appends a trimmed candidate chunk whole (up to 42 characters) or in 32-character pieces.
void appendChunk(QStringView candidate, std::vector<QString> &chunks);

// Finds the chunk's non-white-space characters, in order and ignoring white space in the text,
// at the first position at or after `start`.
std::optional<ChunkLocation> locateChunk(QStringView chunk, const ScriptTextCharacters &characters,
                                         std::int64_t start);

} // namespace lumetra::ScriptParser::Steps
