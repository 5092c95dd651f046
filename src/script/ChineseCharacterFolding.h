#pragma once

#include <QString>
#include <QStringView>

namespace lumetra::ChineseCharacterFolding {

// The Simplified form of a Traditional Chinese character, from OpenCC's character table; any
// character the table does not map to exactly one character comes back unchanged. Recognisers
// for Chinese tend to write Simplified characters while the scripts here are Traditional.
char32_t toSimplified(char32_t character);

// Every character of the text folded as above; the number and order of characters are kept.
QString toSimplified(QStringView text);

// The Simplified form of a run of text, converted phrase by phrase with OpenCC's Taiwan-to-
// Simplified tables where a phrase reads differently than its characters would one by one (乾燥
// becomes 干燥 but 乾隆 stays). Falls back to toSimplified() when the phrase conversion would change
// the number of characters, so every character keeps its place.
QString toSimplifiedPhrases(QStringView text);

// Whether the character table could be read. Without it folding leaves every character as it is.
bool isAvailable();

} // namespace lumetra::ChineseCharacterFolding
