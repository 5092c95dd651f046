#include "ScriptVocabulary.h"

#include "ChineseCharacterFolding.h"
#include "UnicodeText.h"

#include <QSet>

#include <algorithm>
#include <optional>
#include <vector>

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

// The text as one string per character, so no lookup can split one.
QStringList charactersOf(QStringView text)
{
    QStringList characters;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype length = scalarLength(text, at);
        characters.append(text.mid(at, length).toString());
        at += length;
    }
    return characters;
}

QString joined(const QStringList &characters, qsizetype from, qsizetype count)
{
    QString text;
    for (qsizetype i = from; i < from + count; ++i)
        text += characters[i];
    return text;
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
        if (wordIsUnspaced)
            sentence.append(segment(lower, dictionary));
        else if (dictionary.contains(lower))
            sentence.append(lower);
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
            // "AI模型": the English word and the Chinese run are looked up each in its own way.
            const bool unspaced = isUnspacedScript(scalar);
            if (!word.isEmpty() && unspaced != wordIsUnspaced)
                finishWord();
            word += text.mid(at, length);
            wordIsUnspaced = unspaced;
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
    // Each stretch is looked up as written, then in its Simplified forms (as a phrase, and character
    // by character), since Mandarin dictionaries are mostly written in Simplified characters.
    // Every form has one entry per character, so positions agree.
    const QStringList written = charactersOf(text);
    std::vector<QStringList> forms { written };
    for (const QString &simplified :
        { ChineseCharacterFolding::toSimplifiedPhrases(text), ChineseCharacterFolding::toSimplified(text) }) {
        QStringList form = charactersOf(simplified);
        if (form.size() == written.size() && std::find(forms.begin(), forms.end(), form) == forms.end())
            forms.push_back(std::move(form));
    }
    const auto spelling = [&](qsizetype at, qsizetype length) -> std::optional<QString> {
        for (const QStringList &form : forms) {
            QString candidate = joined(form, at, length);
            if (dictionary.contains(candidate))
                return candidate;
        }
        return std::nullopt;
    };

    QStringList words;
    for (qsizetype at = 0; at < written.size();) {
        qsizetype length = std::min(dictionary.longestWordLength(), written.size() - at);
        for (; length > 0; --length) {
            if (std::optional<QString> word = spelling(at, length)) {
                words.append(*word);
                break;
            }
        }
        at += std::max<qsizetype>(length, 1);
    }
    return words;
}

} // namespace lumetra
