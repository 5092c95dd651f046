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

// Whether the character table could be read. Without it folding leaves every character as it is.
bool isAvailable();

} // namespace lumetra::ChineseCharacterFolding
