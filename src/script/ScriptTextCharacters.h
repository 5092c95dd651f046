#pragma once

#include "UnicodeTables.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumetra {

// The characters (grapheme clusters) of a whole script text, prepared for chunk lookup: each
// character gets a key that is equal exactly for canonically equivalent characters, and
// white-space characters (Unicode White_Space, judged on the first scalar) are set aside.
class ScriptTextCharacters {
public:
    explicit ScriptTextCharacters(QStringView text);

    std::int64_t size() const { return m_size; }
    QStringView character(std::int64_t index) const
    {
        const qsizetype begin = utf16Offset(index);
        return m_text.sliced(begin, utf16Offset(index + 1) - begin);
    }
    // UTF-16 offset of character `index` (index == size() gives the text's end).
    qsizetype utf16Offset(std::int64_t index) const
    {
        return m_boundaries.empty() ? index : m_boundaries[static_cast<std::size_t>(index)];
    }

    QStringView text() const { return m_text; }

    // The index of the character that starts at a UTF-16 offset, if a character starts there (the
    // text's end counts as the start of character size()).
    std::optional<std::int64_t> characterStartingAt(qsizetype utf16Offset) const
    {
        const std::int64_t index = characterIndex(utf16Offset);
        if (index > size() || this->utf16Offset(index) != utf16Offset)
            return std::nullopt;
        return index;
    }

    // The index of the character that starts at a UTF-16 offset (which must be a boundary).
    std::int64_t characterIndex(qsizetype utf16Offset) const
    {
        if (m_boundaries.empty())
            return utf16Offset;
        return std::lower_bound(m_boundaries.begin(), m_boundaries.end(), utf16Offset) - m_boundaries.begin();
    }

    // Keys of the non-white-space characters of some other text (a chunk), in order. A character
    // that occurs nowhere in this text gets a key that matches nothing.
    std::vector<std::uint32_t> nonWhiteSpaceKeys(QStringView text) const;

    // Whether the chunk's non-white-space characters stand in this text's non-white-space
    // characters from number `first` on; if so, how many there are (0 for a chunk of white space).
    std::optional<std::size_t> matchLengthAt(QStringView chunk, std::size_t first) const;

    // The index into positions() of the first non-white-space character at or after character
    // `start` (positions().size() when there is none). Searches on from the previous answer while
    // `start` does not move back, as a parse's chunk lookups almost never do.
    std::size_t firstNonWhiteSpaceAtOrAfter(std::int64_t start) const;

    // The non-white-space characters of this text: their keys and their character indices.
    const std::vector<std::uint32_t> &keys() const { return m_keys; }
    const std::vector<std::int64_t> &positions() const { return m_positions; }

private:
    // The key of a character whose canonical decomposition is one scalar; otherwise nothing,
    // with the decomposition left in `decomposed`.
    static std::optional<std::uint32_t> scalarKey(QStringView character, QString &decomposed)
    {
        // One unit without a decomposition is its own key: nearly every character.
        if (character.size() == 1 && UnicodeTables::has(character.front().unicode(), UnicodeTables::ownCanonicalKey))
            return character.front().unicode();
        return decomposedKey(character, decomposed);
    }
    static std::optional<std::uint32_t> decomposedKey(QStringView character, QString &decomposed);
    std::uint32_t existingKey(QStringView character) const;
    std::uint32_t internedKey(QStringView character);

    QStringView m_text;
    std::int64_t m_size = 0;
    // UTF-16 offset of every character and of the end; left empty while every character is one
    // unit, as in nearly every script, where character k simply starts at unit k.
    std::vector<qsizetype> m_boundaries;
    std::vector<std::uint32_t> m_keys;
    std::vector<std::int64_t> m_positions;
    QHash<QString, std::uint32_t> m_composedKeys; // decomposed form → key, for multi-scalar characters
    mutable std::size_t m_lastNonWhiteSpaceFound = 0; // where firstNonWhiteSpaceAtOrAfter() searches on from
};

} // namespace lumetra
