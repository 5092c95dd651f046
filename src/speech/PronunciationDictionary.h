#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace lumetra {

// A recogniser's pronunciation dictionary: each word with its pronunciations (phone strings).
// Lines read "word PH ONES"; alternatives are written "word(2) PH ONES".
class PronunciationDictionary {
public:
    // Nothing when the file cannot be read or holds no entry.
    static std::optional<PronunciationDictionary> load(const QString &path);
    static PronunciationDictionary fromText(const QString &text);

    bool contains(const QString &word) const { return m_pronunciations.contains(word); }
    QStringList pronunciations(const QString &word) const { return m_pronunciations.value(word); }
    qsizetype size() const { return m_pronunciations.size(); }
    // The longest word, in UTF-16 code units.
    qsizetype longestWordLength() const { return m_longestWordLength; }

    // Dictionary text holding exactly `words` (those this dictionary knows), alternatives kept.
    QString subsetText(const QStringList &words) const;

private:
    QHash<QString, QStringList> m_pronunciations;
    qsizetype m_longestWordLength = 0;
};

} // namespace lumetra
