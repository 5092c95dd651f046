#include "SpokenReading.h"

#include "LiveVoiceSync.h"

#include <QDir>
#include <QProcess>

namespace lumetra::bench {
namespace {

// A number sox's soxi prints for `file`, e.g. "-s" (samples) or "-r" (rate); empty on failure.
std::optional<std::int64_t> soxInfo(const QString &option, const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("soxi"), { option, file });
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    bool ok = false;
    const std::int64_t value = process.readAllStandardOutput().trimmed().toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// `seconds` of silence in the format of espeak-ng's output.
bool writeSilence(const QString &file, std::int64_t rate, double seconds)
{
    return testing::runProgram(QStringLiteral("sox"),
        { "-n", "-r", QString::number(rate), "-c", "1", "-b", "16", file, "trim", "0", QString::number(seconds) });
}

} // namespace

std::optional<SpokenReading> recordReading(
    const std::vector<SpokenSentence> &sentences, const QString &folder, double pause, double margin)
{
    const QDir dir(folder);
    QStringList trimmedFiles;
    std::vector<std::int64_t> lengths;
    for (std::size_t i = 0; i < sentences.size(); ++i) {
        const QString spoken = dir.filePath(QStringLiteral("spoken%1.wav").arg(i));
        const QString trimmed = dir.filePath(QStringLiteral("sentence%1.wav").arg(i));
        const SpokenSentence &sentence = sentences[i];
        if (!testing::speakToWav(sentence.speech.isEmpty() ? sentence.text : sentence.speech, spoken))
            return std::nullopt;
        // espeak-ng pads with digital silence; strip it at both ends so the sentence's edges are its speech.
        if (!testing::runProgram(QStringLiteral("sox"),
                { spoken, trimmed, "silence", "1", "0.001", "0.01%", "reverse", "silence", "1", "0.001", "0.01%",
                    "reverse" }))
            return std::nullopt;
        const std::optional<std::int64_t> length = soxInfo(QStringLiteral("-s"), trimmed);
        if (!length)
            return std::nullopt;
        trimmedFiles.append(trimmed);
        lengths.push_back(*length);
    }
    if (trimmedFiles.isEmpty())
        return std::nullopt;

    const std::optional<std::int64_t> rate = soxInfo(QStringLiteral("-r"), trimmedFiles.front());
    const QString marginFile = dir.filePath(QStringLiteral("margin.wav"));
    const QString pauseFile = dir.filePath(QStringLiteral("pause.wav"));
    if (!rate || *rate <= 0 || !writeSilence(marginFile, *rate, margin) || !writeSilence(pauseFile, *rate, pause))
        return std::nullopt;
    const std::optional<std::int64_t> marginLength = soxInfo(QStringLiteral("-s"), marginFile);
    const std::optional<std::int64_t> pauseLength = soxInfo(QStringLiteral("-s"), pauseFile);
    if (!marginLength || !pauseLength)
        return std::nullopt;

    SpokenReading reading;
    reading.wavPath = dir.filePath(QStringLiteral("reading.wav"));
    const auto seconds
        = [&](std::int64_t samples) { return static_cast<double>(samples) / static_cast<double>(*rate); };
    QStringList parts { marginFile };
    std::int64_t samples = *marginLength;
    for (std::size_t i = 0; i < sentences.size(); ++i) {
        if (i > 0) {
            parts.append(pauseFile);
            samples += *pauseLength;
        }
        const double start = seconds(samples);
        samples += lengths[i];
        reading.sentences.push_back({ sentences[i].text, sentences[i].chunk, start, seconds(samples) });
        parts.append(trimmedFiles[static_cast<qsizetype>(i)]);
    }
    parts.append(marginFile);
    samples += *marginLength;
    if (!testing::runProgram(QStringLiteral("sox"), parts + QStringList { reading.wavPath }))
        return std::nullopt;
    reading.duration = seconds(samples);
    return reading;
}

} // namespace lumetra::bench
