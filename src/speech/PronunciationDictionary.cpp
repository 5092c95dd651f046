#include "PronunciationDictionary.h"

#include <QFile>
#include <QRegularExpression>

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
    static const QRegularExpression alternative(QStringLiteral("\\(\\d+\\)$"));
    PronunciationDictionary dictionary;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        const qsizetype gap = line.indexOf(QRegularExpression(QStringLiteral("\\s")));
        if (gap <= 0)
            continue;
        const QString phones = line.mid(gap).trimmed().toString().simplified();
        if (phones.isEmpty())
            continue;
        QString word = line.left(gap).toString();
        word.remove(alternative);
        if (word.isEmpty())
            continue;
        dictionary.m_pronunciations[word].append(phones);
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
