#include "ArpaLanguageModel.h"
#include "PocketSphinxDecoder.h"
#include "PronunciationDictionary.h"
#include "ScriptVocabulary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace lumetra;

namespace {

// An ARPA model read back by the rules of the format, to query it independently of the builder.
struct ParsedArpa {
    std::map<int, qsizetype> declared;
    std::map<QStringList, double> probability; // log10
    std::map<QStringList, double> backoff; // log10

    explicit ParsedArpa(const QString &text)
    {
        int order = 0;
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            if (line.startsWith(QStringLiteral("ngram "))) {
                const QStringList parts = line.mid(6).split(QLatin1Char('='));
                declared[parts[0].toInt()] = parts[1].toLongLong();
            } else if (line.startsWith(QLatin1Char('\\')) && line.endsWith(QStringLiteral("-grams:"))) {
                order = line.mid(1, 1).toInt();
            } else if (order > 0 && !line.isEmpty() && !line.startsWith(QLatin1Char('\\'))) {
                const QStringList fields = line.split(QLatin1Char('\t'));
                const QStringList gram = fields[1].split(QLatin1Char(' '));
                EXPECT_EQ(gram.size(), order) << line.toStdString();
                probability[gram] = fields[0].toDouble();
                if (fields.size() > 2)
                    backoff[gram] = fields[2].toDouble();
            }
        }
    }

    qsizetype countOfOrder(int order) const
    {
        return std::count_if(probability.begin(), probability.end(), [&](auto &e) { return e.first.size() == order; });
    }

    double p(QStringList history, const QString &word) const
    {
        QStringList gram = history;
        gram.append(word);
        if (const auto it = probability.find(gram); it != probability.end())
            return std::pow(10.0, it->second);
        if (history.isEmpty())
            return 0;
        const auto weight = backoff.find(history);
        const double alpha = weight == backoff.end() ? 1.0 : std::pow(10.0, weight->second);
        history.removeFirst();
        return alpha * p(history, word);
    }
};

const std::vector<QStringList> sentences = {
    { "the", "cat", "sat", "on", "the", "mat" },
    { "the", "dog", "sat" },
    { "a", "cat", "and", "a", "dog" },
    { "the", "cat", "sat" },
};

} // namespace

TEST(ArpaLanguageModelTest, EveryContextIsAProbabilityDistribution)
{
    const ParsedArpa arpa(ArpaLanguageModel::build(sentences));
    for (int order = 1; order <= 3; ++order)
        EXPECT_EQ(arpa.declared.at(order), arpa.countOfOrder(order)) << "header count of order " << order;

    QStringList vocabulary { "</s>" };
    for (const auto &[gram, logp] : arpa.probability) {
        if (gram.size() == 1 && gram[0] != QStringLiteral("<s>") && gram[0] != QStringLiteral("</s>"))
            vocabulary.append(gram[0]);
    }
    EXPECT_EQ(vocabulary.size(), 9);

    std::vector<QStringList> histories = { {}, { "<s>" }, { "<s>", "the" }, { "the", "cat" }, { "cat", "sat" } };
    for (const QString &a : vocabulary)
        histories.push_back({ a });
    histories.push_back({ "dog", "the" }); // never seen: backs off all the way
    for (const QStringList &history : histories) {
        double sum = 0;
        for (const QString &word : vocabulary)
            sum += arpa.p(history, word);
        EXPECT_NEAR(sum, 1.0, 1e-4) << "after '" << history.join(' ').toStdString() << "'";
    }

    // Seen continuations stay the likeliest: "the cat" was followed by "sat" both times.
    EXPECT_GT(arpa.p({ "the", "cat" }, QStringLiteral("sat")), 0.5);
    EXPECT_GT(arpa.p({ "the", "cat" }, QStringLiteral("sat")), 5 * arpa.p({ "the", "cat" }, QStringLiteral("dog")));
    EXPECT_EQ(arpa.probability.at({ "<s>" }), -99) << "a sentence start is never predicted";
}

TEST(ArpaLanguageModelTest, AnEmptyScriptGivesAModelOfSentenceEndsOnly)
{
    const ParsedArpa arpa(ArpaLanguageModel::build({}));
    EXPECT_EQ(arpa.declared, (std::map<int, qsizetype> { { 1, 2 } }));
    EXPECT_DOUBLE_EQ(arpa.p({}, QStringLiteral("</s>")), 1.0);
}

// The decoder of the real recogniser accepts what we write, including the empty vocabulary.
TEST(ArpaLanguageModelTest, PocketSphinxLoadsTheScriptModelAndDictionary)
{
    const QString model = QStringLiteral("/usr/share/pocketsphinx/model/en-us");
    const auto dictionary = PronunciationDictionary::load(model + QStringLiteral("/cmudict-en-us.dict"));
    ASSERT_TRUE(dictionary) << "Debian's pocketsphinx-en-us is part of the set-up";
    for (const QString &script :
        { QStringLiteral("The cat sat on the mat. The dog sat. A cat and a dog."), QString() }) {
        const ScriptVocabulary vocabulary(script, *dictionary);
        QTemporaryDir folder;
        DecoderFiles files { model + QStringLiteral("/en-us"), folder.filePath(QStringLiteral("s.dict")),
            folder.filePath(QStringLiteral("s.lm")), QString(), 0 };
        QFile dict(files.dictionary), lm(files.languageModel);
        ASSERT_TRUE(dict.open(QIODevice::WriteOnly) && lm.open(QIODevice::WriteOnly));
        dict.write(dictionary->subsetText(vocabulary.words()).toUtf8());
        lm.write(ArpaLanguageModel::build(vocabulary.sentences()).toUtf8());
        dict.close();
        lm.close();

        const auto decoder = PocketSphinxDecoder::create(files);
        ASSERT_TRUE(decoder) << "script: " << script.toStdString();
        ASSERT_TRUE(decoder->startUtterance());
        const std::vector<std::int16_t> silence(16000, 0);
        decoder->process(silence);
        decoder->endUtterance();
        EXPECT_EQ(decoder->hypothesis(), QString()) << "silence is no speech";
    }
}
