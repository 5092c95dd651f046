#include "PronunciationDictionary.h"

#include <QFile>

namespace lumetra {

std::optional<PronunciationDictionary> PronunciationDictionary::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    PronunciationDictionary dictionary = fromText(QString::fromUtf8(file.readAll()));
    if (dictionary.size() == 0)
        return std::nullopt;
    return dictionary;
}

PronunciationDictionary PronunciationDictionary::fromText(const QString &text)
{
    PronunciationDictionary dictionary;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        qsizetype gap = 0;
        while (gap < line.size() && !line[gap].isSpace())
            ++gap;
        const QString phones = line.mid(gap).toString().simplified();
        if (gap == 0 || phones.isEmpty())
            continue;
        QStringView word = line.left(gap);
        // "word(2)" is the second pronunciation of "word".
        if (word.endsWith(QLatin1Char(')'))) {
            const qsizetype open = word.lastIndexOf(QLatin1Char('('));
            if (open > 0)
                word = word.left(open);
        }
        QStringList &known = dictionary.m_pronunciations[word.toString()];
        if (!known.contains(phones)) // a repeated line would only be a second, identical path
            known.append(phones);
        dictionary.m_longestWordLength = std::max(dictionary.m_longestWordLength, word.size());
    }
    return dictionary;
}

QString PronunciationDictionary::subsetText(const QStringList &words) const
{
    QString text;
    for (const QString &word : words) {
        const QStringList phones = pronunciations(word);
        for (qsizetype i = 0; i < phones.size(); ++i) {
            text += i == 0 ? word : QStringLiteral("%1(%2)").arg(word).arg(i + 1);
            text += QLatin1Char(' ') + phones[i] + QLatin1Char('\n');
        }
    }
    return text;
}

} // namespace lumetra
