// Building a run's vocabulary from a zh-TW script against a Mandarin-sized Simplified dictionary:
// done on the main thread at the start of every recognition run.

#include "PronunciationDictionary.h"
#include "ScriptVocabulary.h"

#include <benchmark/benchmark.h>

#include <QStringList>

#include <random>

namespace lumetra {
namespace {

// About the size of a distributed Mandarin dictionary: every common character alone, and 100,000
// words of two to four characters and a few of twelve.
const PronunciationDictionary &mandarinSizedDictionary()
{
    static const PronunciationDictionary dictionary = [] {
        QString text;
        std::mt19937 random(7);
        std::uniform_int_distribution<char32_t> character(0x4E00, 0x4E00 + 3500);
        std::uniform_int_distribution<int> length(2, 4);
        for (char32_t c = 0x4E00; c < 0x9FA6; ++c)
            text += QString::fromUcs4(&c, 1) + QStringLiteral(" x\n");
        for (int word = 0; word < 100000; ++word) {
            const int characters = word % 1000 == 0 ? 12 : length(random);
            for (int i = 0; i < characters; ++i) {
                const char32_t c = character(random);
                text += QString::fromUcs4(&c, 1);
            }
            text += QStringLiteral(" x\n");
        }
        return PronunciationDictionary::fromText(text);
    }();
    return dictionary;
}

QString traditionalScript(qsizetype characters)
{
    static const QString paragraph
        = QStringLiteral("各位來賓早安，歡迎參加今天的發表會。這個新產品是我們團隊一年的心血。"
                         "他們說寫講稿的時候最需要幫忙，所以我們做了一台會聽話的提詞機。\n\n");
    QString script;
    while (script.size() < characters)
        script += paragraph;
    script.truncate(characters);
    return script;
}

void BM_VocabularyOfTraditionalScript(benchmark::State &state)
{
    const PronunciationDictionary &dictionary = mandarinSizedDictionary();
    const QString script = traditionalScript(state.range(0));
    for (auto _ : state) {
        const ScriptVocabulary vocabulary(script, dictionary);
        benchmark::DoNotOptimize(vocabulary.sentences().size());
    }
    state.counters["dictionaryWords"] = double(dictionary.size());
}
BENCHMARK(BM_VocabularyOfTraditionalScript)->Arg(2000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lumetra
