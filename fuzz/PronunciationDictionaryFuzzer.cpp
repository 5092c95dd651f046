// A dictionary file of any bytes loads without inventing words, and the subset the recogniser is
// given reads back as the same entries.

#include "FuzzSupport.h"
#include "PronunciationDictionary.h"

#include <QDir>
#include <QSet>

using namespace lumetra;

namespace {

// Every word the dictionary could hold: each space-separated token, and each token cut before
// its last "(" (an alternative pronunciation's marker).
QStringList candidateWords(const QString &text)
{
    QSet<QString> seen;
    QStringList words;
    auto add = [&](const QString &word) {
        if (!seen.contains(word)) {
            seen.insert(word);
            words.append(word);
        }
    };
    QString token;
    for (const QChar unit : text + QLatin1Char(' ')) {
        if (!unit.isSpace()) {
            token += unit;
            continue;
        }
        if (!token.isEmpty()) {
            add(token);
            if (const qsizetype open = token.lastIndexOf(QLatin1Char('(')); open > 0)
                add(token.left(open));
        }
        token.clear();
    }
    return words;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = QDir(fuzz::scratchFolder()).filePath(QStringLiteral("words.dict"));
    fuzz::writeFile(path, bytes);
    const std::optional<PronunciationDictionary> loaded = PronunciationDictionary::load(path);
    const PronunciationDictionary dictionary = PronunciationDictionary::fromText(QString::fromUtf8(bytes));
    LUMETRA_FUZZ_CHECK(loaded.has_value() == (dictionary.size() > 0));
    LUMETRA_FUZZ_CHECK(!loaded || loaded->size() == dictionary.size());

    QStringList words;
    qsizetype longest = 0;
    for (const QString &word : candidateWords(QString::fromUtf8(bytes))) {
        if (!dictionary.contains(word))
            continue;
        words.append(word);
        longest = std::max(longest, word.size());
        const QStringList phones = dictionary.pronunciations(word);
        LUMETRA_FUZZ_CHECK(!phones.isEmpty());
        for (const QString &phone : phones)
            LUMETRA_FUZZ_CHECK(!phone.isEmpty() && phone == phone.simplified());
    }
    LUMETRA_FUZZ_CHECK(words.size() == dictionary.size());
    LUMETRA_FUZZ_CHECK(dictionary.longestWordLength() == longest);

    // A word ending in ")" ("w(3)", from the line "w(3)(2) …") is written back as an alternative
    // of "w", as the recogniser would read it too; a script word never has brackets.
    QStringList scriptWords = words;
    scriptWords.removeIf([](const QString &word) { return word.endsWith(QLatin1Char(')')); });
    const PronunciationDictionary subset = PronunciationDictionary::fromText(dictionary.subsetText(scriptWords));
    LUMETRA_FUZZ_CHECK(subset.size() == scriptWords.size());
    for (const QString &word : std::as_const(scriptWords))
        LUMETRA_FUZZ_CHECK(subset.pronunciations(word) == dictionary.pronunciations(word));
    return 0;
}
