#include "ArpaLanguageModel.h"

#include <cmath>
#include <cstdint>
#include <map>

namespace lumetra {
namespace {

using Gram = std::vector<QString>;
using Counts = std::map<Gram, std::int64_t>;

const QString sentenceStart = QStringLiteral("<s>");
const QString sentenceEnd = QStringLiteral("</s>");

QString log10Text(double probability)
{
    return probability > 0 ? QString::number(std::log10(probability), 'f', 6) : QStringLiteral("-99");
}

struct Model {
    Counts counts[3];
    Counts historyCounts[3]; // [n]: how often the first n words are followed by anything
    std::map<Gram, double> probability[3];
    std::map<Gram, double> backoff[2];
};

// The probability of `word` after `history` (of 0, 1 or 2 words), backing off where unseen.
double backedOff(const Model &model, Gram history, const QString &word)
{
    Gram gram = history;
    gram.push_back(word);
    const auto &seen = model.probability[history.size()];
    if (const auto it = seen.find(gram); it != seen.end())
        return it->second;
    if (history.empty())
        return 0;
    const auto &weights = model.backoff[history.size() - 1];
    const auto weight = weights.find(history);
    const double alpha = weight == weights.end() ? 1.0 : weight->second;
    history.erase(history.begin());
    return alpha * backedOff(model, history, word);
}

} // namespace

QString ArpaLanguageModel::build(const std::vector<QStringList> &sentences)
{
    Model model;
    std::int64_t tokens = 0;
    for (const QStringList &sentence : sentences) {
        Gram words { sentenceStart };
        words.insert(words.end(), sentence.begin(), sentence.end());
        words.push_back(sentenceEnd);
        for (std::size_t i = 1; i < words.size(); ++i) {
            ++model.counts[0][{ words[i] }];
            ++tokens;
            for (std::size_t n = 2; n <= 3 && n <= i + 1; ++n) {
                const Gram gram(words.begin() + std::ptrdiff_t(i + 1 - n), words.begin() + std::ptrdiff_t(i + 1));
                ++model.counts[n - 1][gram];
                ++model.historyCounts[n - 1][Gram(gram.begin(), gram.end() - 1)];
            }
        }
    }

    model.probability[0][{ sentenceStart }] = 0;
    if (tokens == 0)
        model.probability[0][{ sentenceEnd }] = 1;
    for (const auto &[gram, count] : model.counts[0])
        model.probability[0][gram] = double(count) / double(tokens);
    for (int n = 1; n < 3; ++n) {
        std::map<Gram, double> keptMass;
        std::map<Gram, double> lowerMass;
        for (const auto &[gram, count] : model.counts[n]) {
            const Gram history(gram.begin(), gram.end() - 1);
            const double p = (double(count) - discount) / double(model.historyCounts[n].at(history));
            model.probability[n][gram] = p;
            keptMass[history] += p;
            lowerMass[history] += backedOff(model, Gram(history.begin() + 1, history.end()), gram.back());
        }
        for (const auto &[history, kept] : keptMass) {
            const double free = 1.0 - lowerMass[history];
            // When the lower order has no mass left, nothing ever backs off from this history.
            model.backoff[n - 1][history] = free > 1e-9 ? (1.0 - kept) / free : 1.0;
        }
    }

    QString text = QStringLiteral("\\data\\\n");
    const int order = model.counts[2].empty() ? (model.counts[1].empty() ? 1 : 2) : 3;
    for (int n = 0; n < order; ++n)
        text += QStringLiteral("ngram %1=%2\n").arg(n + 1).arg(model.probability[n].size());
    for (int n = 0; n < order; ++n) {
        text += QStringLiteral("\n\\%1-grams:\n").arg(n + 1);
        for (const auto &[gram, p] : model.probability[n]) {
            text += log10Text(p) + QLatin1Char('\t') + QStringList(gram.begin(), gram.end()).join(QLatin1Char(' '));
            if (n + 1 < order) {
                const auto &weights = model.backoff[n];
                const auto weight = weights.find(gram);
                text += QLatin1Char('\t')
                    + (weight == weights.end() ? QStringLiteral("0.000000") : log10Text(weight->second));
            }
            text += QLatin1Char('\n');
        }
    }
    text += QStringLiteral("\n\\end\\\n");
    return text;
}

} // namespace lumetra
