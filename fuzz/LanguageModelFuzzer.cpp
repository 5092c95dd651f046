// From any script (and any dictionary), the speech engine writes a language model that a
// recogniser can load: counts match, every n-gram's parts are present, numbers are finite
// log probabilities, and no context gives out more than all of the probability.

#include "ArpaLanguageModel.h"
#include "FuzzSupport.h"
#include "PronunciationDictionary.h"
#include "ScriptVocabulary.h"

#include <QHash>
#include <QMap>
#include <QSet>

#include <cmath>

using namespace lumetra;

namespace {

const QString sentenceStart = QStringLiteral("<s>");
const QString sentenceEnd = QStringLiteral("</s>");

const char builtInDictionary[] = "hello HH AH L OW\n"
                                 "hello(2) HH EH L OW\n"
                                 "world W ER L D\n"
                                 "don't D OW N T\n"
                                 "你 n i\n"
                                 "你好 n i h ao\n"
                                 "好 h ao\n"
                                 "世界 sh ii j ie\n"
                                 "各位 g e w ei\n"
                                 "大家 d a j ia\n"
                                 "早安 z ao an\n";

struct Entry {
    double probability = 0;
    double backoff = 1;
};

// The model as read back from its text; n-grams are keyed by their words joined with spaces.
struct ReadModel {
    int order = 0;
    QHash<QString, Entry> grams[3];

    // P(word | history) with back-off, from the read values only.
    double probability(QStringList history, const QString &word) const
    {
        const QString gram = (history + QStringList { word }).join(QLatin1Char(' '));
        if (const auto it = grams[history.size()].constFind(gram); it != grams[history.size()].constEnd())
            return it->probability;
        if (history.isEmpty())
            return 0;
        const auto context = grams[history.size() - 1].constFind(history.join(QLatin1Char(' ')));
        const double weight = context == grams[history.size() - 1].constEnd() ? 1.0 : context->backoff;
        history.removeFirst();
        return weight * probability(history, word);
    }
};

double readLog10(const QString &field)
{
    bool ok = false;
    const double value = field.toDouble(&ok);
    LUMETRA_FUZZ_CHECK(ok && std::isfinite(value));
    return std::pow(10.0, value);
}

ReadModel readArpa(const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    qsizetype at = 0;
    LUMETRA_FUZZ_CHECK(lines.value(at++) == QStringLiteral("\\data\\"));
    ReadModel model;
    qsizetype declared[3] = {};
    while (lines.value(at).startsWith(QStringLiteral("ngram "))) {
        LUMETRA_FUZZ_CHECK(model.order < 3);
        const QString expected = QStringLiteral("ngram %1=").arg(model.order + 1);
        LUMETRA_FUZZ_CHECK(lines[at].startsWith(expected));
        bool ok = false;
        declared[model.order++] = lines[at++].sliced(expected.size()).toLongLong(&ok);
        LUMETRA_FUZZ_CHECK(ok);
    }
    LUMETRA_FUZZ_CHECK(model.order >= 1);
    for (int n = 0; n < model.order; ++n) {
        LUMETRA_FUZZ_CHECK(lines.value(at++).isEmpty());
        LUMETRA_FUZZ_CHECK(lines.value(at++) == QStringLiteral("\\%1-grams:").arg(n + 1));
        for (qsizetype i = 0; i < declared[n]; ++i) {
            LUMETRA_FUZZ_CHECK(at < lines.size());
            const QStringList fields = lines[at++].split(QLatin1Char('\t'));
            LUMETRA_FUZZ_CHECK(fields.size() == (n + 1 < model.order ? 3 : 2));
            const QStringList words = fields[1].split(QLatin1Char(' '));
            LUMETRA_FUZZ_CHECK(words.size() == n + 1);
            for (const QString &word : words)
                LUMETRA_FUZZ_CHECK(!word.isEmpty() && (n == 0 || model.grams[0].contains(word)));
            if (n > 0) {
                LUMETRA_FUZZ_CHECK(model.grams[n - 1].contains(words.mid(0, n).join(QLatin1Char(' '))));
                LUMETRA_FUZZ_CHECK(model.grams[n - 1].contains(words.mid(1).join(QLatin1Char(' '))));
            }
            const Entry entry { readLog10(fields[0]), fields.size() == 3 ? readLog10(fields[2]) : 1.0 };
            LUMETRA_FUZZ_CHECK(entry.probability <= 1.0);
            LUMETRA_FUZZ_CHECK(!model.grams[n].contains(fields[1]));
            model.grams[n].insert(fields[1], entry);
        }
    }
    LUMETRA_FUZZ_CHECK(lines.mid(at) == QStringList({ QString(), QStringLiteral("\\end\\"), QString() }));
    return model;
}

// The probabilities of what may follow a context add up to no more than one, and to one exactly
// unless the context, or one it backs off to, was followed by every word (the model then has no
// word left to give the discounted mass to). Only the first contexts of each order are summed, to
// keep an input fast.
void checkContexts(const ReadModel &model, const QStringList &vocabulary)
{
    constexpr double tolerance = 1e-4;
    constexpr int contextsPerOrder = 32;
    double unigramTotal = 0;
    for (const QString &word : vocabulary)
        unigramTotal += model.probability({}, word);
    LUMETRA_FUZZ_CHECK(std::abs(unigramTotal - 1) <= tolerance);

    // followers[n]: how many words were seen after each context of n words; in order, so that a
    // replay checks the same contexts.
    QMap<QString, qsizetype> followers[3];
    for (int n = 1; n < model.order; ++n) {
        for (auto it = model.grams[n].constBegin(); it != model.grams[n].constEnd(); ++it)
            ++followers[n][it.key().section(QLatin1Char(' '), 0, n - 1)];
    }
    const auto saturated = [&](const QStringList &history) {
        for (qsizetype from = 0; from < history.size(); ++from) {
            const QStringList context = history.mid(from);
            if (followers[context.size()].value(context.join(QLatin1Char(' '))) >= vocabulary.size())
                return true;
        }
        return false;
    };
    for (int n = 1; n < model.order; ++n) {
        int checked = 0;
        for (auto it = followers[n].constBegin(); it != followers[n].constEnd() && checked < contextsPerOrder; ++it) {
            ++checked;
            const QStringList history = it.key().split(QLatin1Char(' '));
            double total = 0;
            for (const QString &word : vocabulary)
                total += model.probability(history, word);
            LUMETRA_FUZZ_CHECK(total <= 1 + tolerance);
            if (!saturated(history))
                LUMETRA_FUZZ_CHECK(total >= 1 - tolerance);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Input: "dictionary text NUL script text", or only a script read with a built-in dictionary.
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const qsizetype separator = bytes.indexOf('\0');
    const PronunciationDictionary dictionary = PronunciationDictionary::fromText(
        QString::fromUtf8(separator < 0 ? QByteArray(builtInDictionary) : bytes.first(separator)));
    const QString script = QString::fromUtf8(separator < 0 ? bytes : bytes.sliced(separator + 1));

    const ScriptVocabulary vocabulary(script, dictionary);
    const QStringList words = vocabulary.words();
    for (const QStringList &sentence : vocabulary.sentences())
        LUMETRA_FUZZ_CHECK(!sentence.isEmpty());
    for (const QString &word : words)
        LUMETRA_FUZZ_CHECK(dictionary.contains(word) && word != sentenceStart && word != sentenceEnd);
    // The recogniser's own dictionary: every word of the model with all its pronunciations.
    const PronunciationDictionary subset = PronunciationDictionary::fromText(dictionary.subsetText(words));
    LUMETRA_FUZZ_CHECK(subset.size() == words.size());

    const ReadModel model = readArpa(ArpaLanguageModel::build(vocabulary.sentences()));
    QSet<QString> unigrams(words.begin(), words.end());
    unigrams << sentenceStart << sentenceEnd;
    LUMETRA_FUZZ_CHECK(model.grams[0].size() == unigrams.size());
    for (const QString &word : std::as_const(unigrams))
        LUMETRA_FUZZ_CHECK(model.grams[0].contains(word));
    checkContexts(model, words + QStringList { sentenceEnd });
    return 0;
}
