#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace lumetra::testing {

// A Mandarin model for tests on machines where none can be installed, made from Debian's English
// one: its dictionary spells every word in Simplified Chinese, each character pronounced as one
// distinct English word, and a word of several characters as its characters' pronunciations in a
// row, as real Mandarin dictionaries are built. espeak-ng reading those English words speaks the
// Chinese text to it. Laid out as a Mandarin model is distributed, so the program finds it and
// names its language "zh-CN".
class MandarinCipherModel {
public:
    // Made in a new folder under `root`: the dictionary holds `words` and every character of them
    // and of `texts`. Nothing when Debian's English model is missing or there are more characters
    // than English words to give them.
    static std::optional<MandarinCipherModel> build(
        const QString &root, const QStringList &words, const QStringList &texts);

    QString folder() const { return m_folder; }
    // What espeak-ng reads for a Simplified text: each character's English word, in order;
    // characters the dictionary lacks (punctuation) are silent.
    QString spoken(const QString &simplifiedText) const;

private:
    QString m_folder;
    QHash<QString, QString> m_wordOfCharacter;
};

} // namespace lumetra::testing
