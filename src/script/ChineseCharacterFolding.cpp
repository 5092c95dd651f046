#include "ChineseCharacterFolding.h"

#include <opencc/Lexicon.hpp>
#include <opencc/MarisaDict.hpp>
#include <opencc/SimpleConverter.hpp>

#include <QList>

#include <cstdio>
#include <exception>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace lumetra::ChineseCharacterFolding {
namespace {

using Table = std::unordered_map<char32_t, char32_t>;

// The single code point of a UTF-8 text, or 0 when it holds none or several.
char32_t singleCharacter(const std::string &utf8)
{
    const QList<uint> scalars = QString::fromStdString(utf8).toUcs4();
    return scalars.size() == 1 ? static_cast<char32_t>(scalars.front()) : 0;
}

Table loadTable()
{
    Table table;
    const std::unique_ptr<FILE, int (*)(FILE *)> file(
        std::fopen(LUMETRA_OPENCC_DATA_DIR "/TSCharacters.ocd2", "rb"), &std::fclose);
    if (!file)
        return table;
    try {
        const auto dictionary = opencc::MarisaDict::NewFromFile(file.get());
        for (const auto &entry : *dictionary->GetLexicon()) {
            // Only one-to-one mappings, so folding never changes a text's length or positions.
            const char32_t from = singleCharacter(entry->Key());
            const char32_t to = singleCharacter(entry->GetDefault());
            if (from != 0 && to != 0 && from != to)
                table.emplace(from, to);
        }
    } catch (const std::exception &) {
        table.clear(); // a damaged table folds nothing rather than half of the characters
    }
    return table;
}

const Table &table()
{
    static const Table loaded = loadTable();
    return loaded;
}

std::unique_ptr<opencc::SimpleConverter> loadPhraseConverter()
{
    try {
        return std::make_unique<opencc::SimpleConverter>(LUMETRA_OPENCC_DATA_DIR "/tw2s.json");
    } catch (const std::exception &) {
        return nullptr; // without the phrase tables the character table still folds
    }
}

const opencc::SimpleConverter *phraseConverter()
{
    static const std::unique_ptr<opencc::SimpleConverter> loaded = loadPhraseConverter();
    return loaded.get();
}

// OpenCC's converter is not documented as safe to share between threads.
std::mutex phraseConverterMutex;

} // namespace

char32_t toSimplified(char32_t character)
{
    const auto found = table().find(character);
    return found == table().end() ? character : found->second;
}

QString toSimplified(QStringView text)
{
    QString folded;
    folded.reserve(text.size());
    for (const uint character : text.toUcs4()) {
        const char32_t simplified = toSimplified(character);
        folded += QString::fromUcs4(&simplified, 1);
    }
    return folded;
}

QString toSimplifiedPhrases(QStringView text)
{
    if (const opencc::SimpleConverter *converter = phraseConverter()) {
        std::string converted;
        try {
            const std::lock_guard lock(phraseConverterMutex);
            converted = converter->Convert(text.toUtf8().toStdString());
        } catch (const std::exception &) {
            converted.clear();
        }
        QString result = QString::fromStdString(converted);
        if (!converted.empty() && result.toUcs4().size() == text.toUcs4().size())
            return result;
    }
    return toSimplified(text);
}

bool isAvailable()
{
    return !table().empty();
}

} // namespace lumetra::ChineseCharacterFolding
