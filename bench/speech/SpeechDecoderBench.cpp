// Decoder speed, memory and accuracy on espeak-ng speech of a twelve-sentence English script,
// decoding against the script's own language model alone or mixed with a small weight of the
// model's general one. Needs espeak-ng, sox and Debian's pocketsphinx-en-us.

#include "ArpaLanguageModel.h"
#include "PocketSphinxDecoder.h"
#include "PocketSphinxRecognizer.h"
#include "PronunciationDictionary.h"
#include "ScriptVocabulary.h"
#include "SpeechModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

using namespace lumetra;

namespace {

const QStringList script = {
    QStringLiteral("Good morning everyone and thank you for joining us today."),
    QStringLiteral("This year our company grew faster than ever before."),
    QStringLiteral("We opened three new offices and hired many talented people."),
    QStringLiteral("Our customers told us that they wanted simpler tools."),
    QStringLiteral("So we rebuilt the product from the ground up."),
    QStringLiteral("The new version starts in less than a second."),
    QStringLiteral("It works offline and keeps your data on your own computer."),
    QStringLiteral("Many of you helped us test it during the summer."),
    QStringLiteral("Your feedback made every part of it better."),
    QStringLiteral("Next year we will bring it to more countries."),
    QStringLiteral("We will also listen even more closely to you."),
    QStringLiteral("Thank you again and enjoy the rest of the meeting."),
};

const QString modelFolder = QStringLiteral("/usr/share/pocketsphinx/model/en-us");

QStringList wordsOf(const QString &text)
{
    return text.toLower().split(QRegularExpression(QStringLiteral("[^a-z']+")), Qt::SkipEmptyParts);
}

// Word error rate: word-level edit distance over the reference length.
double wordErrorRate(const QStringList &reference, const QStringList &hypothesis)
{
    std::vector<qsizetype> row(hypothesis.size() + 1);
    for (qsizetype j = 0; j <= hypothesis.size(); ++j)
        row[j] = j;
    for (qsizetype i = 1; i <= reference.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= hypothesis.size(); ++j) {
            const qsizetype above = row[j];
            row[j]
                = std::min({ row[j] + 1, row[j - 1] + 1, diagonal + (reference[i - 1] == hypothesis[j - 1] ? 0 : 1) });
            diagonal = above;
        }
    }
    return double(row.back()) / double(reference.size());
}

// The script spoken by espeak-ng with a pause after each sentence, as 16 kHz mono 16-bit PCM.
const std::vector<std::int16_t> &speech()
{
    static const std::vector<std::int16_t> samples = [] {
        QTemporaryDir folder;
        const QString spoken = folder.filePath(QStringLiteral("spoken.wav"));
        const QString raw = folder.filePath(QStringLiteral("speech.raw"));
        QString ssml = QStringLiteral("<speak>");
        for (const QString &sentence : script)
            ssml += sentence + QStringLiteral(" <break time=\"1200ms\"/> ");
        ssml += QStringLiteral("</speak>");
        QProcess::execute(QStringLiteral("espeak-ng"), { "-m", "-v", "en-us", "-s", "150", "-w", spoken, ssml });
        QProcess::execute(QStringLiteral("sox"),
            { spoken, "-r", "16000", "-c", "1", "-b", "16", "-e", "signed-integer", "-t", "raw", raw });
        QFile file(raw);
        std::vector<std::int16_t> pcm;
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            pcm.resize(std::size_t(bytes.size()) / sizeof(std::int16_t));
            std::memcpy(pcm.data(), bytes.constData(), pcm.size() * sizeof(std::int16_t));
        }
        return pcm;
    }();
    return samples;
}

// The process's peak resident memory in kB (VmHWM), which resetPeakMemory() sets back.
long peakMemoryKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

void resetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Decodes `pcm` as the live runs do: 1024-frame buffers, a run ending when speech stops.
QStringList decodeLikeLiveRuns(PocketSphinxDecoder &decoder, const std::vector<std::int16_t> &pcm)
{
    QStringList heard;
    bool heardSpeech = false;
    decoder.startUtterance();
    for (std::size_t at = 0; at + 1024 <= pcm.size(); at += 1024) {
        decoder.process(std::span(pcm.data() + at, 1024));
        if (decoder.inSpeech()) {
            heardSpeech = true;
        } else if (heardSpeech) {
            decoder.endUtterance();
            heard += wordsOf(decoder.hypothesis());
            heardSpeech = false;
            decoder.startUtterance();
        }
    }
    decoder.endUtterance();
    heard += wordsOf(decoder.hypothesis());
    return heard;
}

// range(0): weight of the general language model in per mille (0: the script's model alone).
void BM_DecodeScriptSpeech(benchmark::State &state)
{
    const double generalWeight = double(state.range(0)) / 1000.0;
    const auto model = SpeechModel::inFolder(modelFolder);
    const std::vector<std::int16_t> &pcm = speech();
    if (!model || pcm.empty()) {
        state.SkipWithError("needs pocketsphinx-en-us, espeak-ng and sox");
        return;
    }
    const auto dictionary = PronunciationDictionary::load(model->dictionary);
    const QString scriptText = script.join(QLatin1Char('\n'));
    const ScriptVocabulary vocabulary(scriptText, *dictionary);
    QTemporaryDir folder;
    DecoderFiles files { model->acousticModel, folder.filePath(QStringLiteral("script.dict")),
        folder.filePath(QStringLiteral("script.lm")), QString(), 0 };
    if (generalWeight > 0) {
        // The general model predicts every word of the full dictionary, so it needs all of them.
        files.dictionary = model->dictionary;
        files.generalLanguageModel = model->generalLanguageModel;
        files.generalWeight = generalWeight;
    } else {
        QFile dict(files.dictionary);
        dict.open(QIODevice::WriteOnly);
        dict.write(dictionary->subsetText(vocabulary.words()).toUtf8());
    }
    QFile lm(files.languageModel);
    lm.open(QIODevice::WriteOnly);
    lm.write(ArpaLanguageModel::build(vocabulary.sentences()).toUtf8());
    lm.close();

    const QStringList reference = wordsOf(scriptText);
    const double audioSeconds = double(pcm.size()) / 16000.0;
    double wer = 0, decodeSeconds = 0, startSeconds = 0;
    long peakKb = 0;
    for (auto _ : state) {
        resetPeakMemory();
        QElapsedTimer timer;
        timer.start();
        const auto decoder = PocketSphinxDecoder::create(files);
        startSeconds = double(timer.nsecsElapsed()) / 1e9;
        if (!decoder) {
            state.SkipWithError("the decoder could not be made");
            return;
        }
        timer.restart();
        const QStringList heard = decodeLikeLiveRuns(*decoder, pcm);
        decodeSeconds = double(timer.nsecsElapsed()) / 1e9;
        wer = wordErrorRate(reference, heard);
        peakKb = peakMemoryKb();
        if (qEnvironmentVariableIsSet("LUMETRA_BENCH_VERBOSE"))
            qInfo("%s", qPrintable(heard.join(QLatin1Char(' '))));
    }
    state.counters["realTimeFactor"] = decodeSeconds / audioSeconds;
    state.counters["startSeconds"] = startSeconds;
    state.counters["wordErrorRate"] = wer;
    state.counters["peakMemoryMB"] = double(peakKb) / 1024.0;
    state.counters["audioSeconds"] = audioSeconds;
}
BENCHMARK(BM_DecodeScriptSpeech)->Arg(0)->Arg(50)->Arg(200)->Unit(benchmark::kSecond)->Iterations(1);

// The first start of Voice Sync on the main thread: reading the model's dictionary and the trial
// load of the decoder in a separate process.
void BM_FirstAvailabilityCheck(benchmark::State &state)
{
    for (auto _ : state) {
        PocketSphinxRecognizer recognizer(modelFolder);
        if (!recognizer.isAvailable(QString())) {
            state.SkipWithError("needs pocketsphinx-en-us");
            return;
        }
    }
}
BENCHMARK(BM_FirstAvailabilityCheck)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
