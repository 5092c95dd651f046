#include "ScriptVocabulary.h"

#include "UnicodeText.h"

#include <QSet>

namespace lumetra {
namespace {

// Characters that belong inside a word: letters, numbers and apostrophes ("don't").
bool isWordCharacter(char32_t scalar)
{
    return UnicodeText::isLetterOrNumber(scalar) || scalar == U'\'' || scalar == U'\u2019';
}

// Scripts written without spaces between words.
bool isUnspacedScript(char32_t scalar)
{
    switch (QChar::script(scalar)) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Thai:
        return true;
    default:
        return false;
    }
}

qsizetype scalarLength(QStringView text, qsizetype at)
{
    return text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2 : 1;
}

} // namespace

ScriptVocabulary::ScriptVocabulary(const QString &scriptText, const PronunciationDictionary &dictionary)
{
    QStringList sentence;
    QString word;
    bool wordIsUnspaced = false;
    auto finishWord = [&] {
        if (word.isEmpty())
            return;
        const QString lower = UnicodeText::fullLowercase(word).replace(QChar(0x2019), QLatin1Char('\''));
        if (dictionary.contains(lower))
            sentence.append(lower);
        else if (wordIsUnspaced)
            sentence.append(segment(lower, dictionary));
        word.clear();
        wordIsUnspaced = false;
    };
    auto finishSentence = [&] {
        finishWord();
        if (!sentence.isEmpty())
            m_sentences.push_back(std::exchange(sentence, {}));
    };

    const QStringView text(scriptText);
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype length = scalarLength(text, at);
        const char32_t scalar = UnicodeText::firstScalar(text.mid(at, length));
        if (isWordCharacter(scalar)) {
            word += text.mid(at, length);
            wordIsUnspaced = wordIsUnspaced || isUnspacedScript(scalar);
        } else if (UnicodeText::isWhiteSpace(scalar) && scalar != U'\n') {
            finishWord();
        } else {
            // Punctuation and line ends close a sentence.
            finishSentence();
        }
        at += length;
    }
    finishSentence();
}

QStringList ScriptVocabulary::words() const
{
    QStringList words;
    QSet<QString> seen;
    for (const QStringList &sentence : m_sentences) {
        for (const QString &word : sentence) {
            if (!seen.contains(word)) {
                seen.insert(word);
                words.append(word);
            }
        }
    }
    return words;
}

QStringList ScriptVocabulary::segment(QStringView text, const PronunciationDictionary &dictionary)
{
    QStringList words;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype single = scalarLength(text, at);
        qsizetype matched = 0;
        for (qsizetype length = std::min(dictionary.longestWordLength(), text.size() - at); length > single; --length) {
            if (text[at + length - 1].isHighSurrogate())
                continue; // never split a character
            if (dictionary.contains(text.mid(at, length).toString())) {
                matched = length;
                break;
            }
        }
        if (matched == 0 && dictionary.contains(text.mid(at, single).toString()))
            matched = single;
        if (matched > 0)
            words.append(text.mid(at, matched).toString());
        at += matched > 0 ? matched : single;
    }
    return words;
}

} // namespace lumetra
