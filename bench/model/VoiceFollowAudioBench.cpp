// Voice Sync on real audio: espeak-ng reads a script sentence by sentence, the joined WAV plays in
// real time into the test audio server's virtual microphone, and the real offline engine and the
// real model follow it. The script is English (Debian's English model) or zh-TW, read in Mandarin
// to a test model whose dictionary is Simplified Chinese with each character spoken as an English
// word (see MandarinCipherModel), which the program must find for the script by itself. Prints, for each reading, when
// the model reached each chunk, how far it ran ahead of or behind the speaker, the decoder's real-time factor and the
// peak memory, against the goals: every read chunk reached in order, never more than one chunk
// ahead, a median delay under 0.5 s after a chunk's audio ends, a real-time factor under 0.1.
//
// Needs espeak-ng, sox, Debian's pocketsphinx-en-us and the audio server of scripts/test-services.sh:
//   bash -c 'source scripts/test-services.sh && build/bench/model/voice_follow_audio_bench'
// Options: --language en|zh|both (default both), --reading full|skip|both (default both), --runs N
// (default 1), --pause SECONDS between sentences (default 0.8), --transcripts (also list every
// transcript the model was given).
//
// The model moves to chunk k+1 as soon as chunk k's text counts as spoken, so a chunk is often
// reached before its own audio begins: the "vs start" column and the time ahead show that, and a
// negative delay is expected. The real-time factor counts the decoder threads (every thread that
// ended during the run is counted as one) against the audio heard; the whole process's factor
// adds the capture and the audio server's client threads.

#include "AudioFollowFigures.h"
#include "IdleRecordingEngine.h"
#include "LiveVoiceSync.h"
#include "MandarinCipherModel.h"
#include "MandarinLaunchScript.h"
#include "ProcessCpu.h"
#include "PrompterViewModel.h"
#include "SpokenReading.h"
#include "TestSettingsSandbox.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace lumetra;
using namespace lumetra::bench;

namespace {

// Decoding runs on Qt worker threads, which carry their class's name; each recognition run has
// its own, ended once the run ends.
const QString decoderThreadName = QStringLiteral("QThread");
// Silence before the first sentence and after the last.
constexpr double margin = 1.0;
// How long after the audio the last read chunk may still be reached.
constexpr int settleMilliseconds = 3000;

// A script in one language and how it is spoken.
struct Talk {
    QString language;
    QStringList script;
    QStringList speech; // what espeak-ng reads for each sentence
    QString unscripted;
    QString unscriptedSpeech;
    std::optional<SpeechModelLocator> locator; // none: Debian's English model
};

Talk englishTalk()
{
    return { QStringLiteral("en"), testing::englishLaunchSentences(), testing::englishLaunchSentences(),
        QStringLiteral("Let me tell you a short story about my old dog."),
        QStringLiteral("Let me tell you a short story about my old dog."), std::nullopt };
}

// The Mandarin test model is made in `modelRoot`, beside which the English one stays findable.
std::optional<Talk> mandarinTalk(const QString &modelRoot)
{
    const QStringList &readings = testing::mandarinLaunchReadings();
    const QString unscripted = testing::mandarinUnscriptedReading();
    const std::optional<testing::MandarinCipherModel> model = testing::MandarinCipherModel::build(
        modelRoot, testing::mandarinDictionaryWords(), readings + QStringList { unscripted });
    if (!model)
        return std::nullopt;
    Talk talk { QStringLiteral("zh-TW"), testing::mandarinLaunchSentences(), {}, unscripted, model->spoken(unscripted),
        SpeechModelLocator(QDir(modelRoot).filePath(QStringLiteral("no-user-models")),
            { modelRoot, QStringLiteral("/usr/share/pocketsphinx/model") }) };
    for (const QString &reading : readings)
        talk.speech.append(model->spoken(reading));
    return talk;
}

struct Reading {
    QString name;
    std::vector<SpokenSentence> sentences;
};

// The whole script; and the script with its fifth sentence skipped and an unscripted one after the eighth.
std::vector<Reading> readings(const QString &choice, const Talk &talk)
{
    Reading full { QStringLiteral("full"), {} };
    Reading skip { QStringLiteral("skip"), {} };
    for (qsizetype i = 0; i < talk.script.size(); ++i) {
        const SpokenSentence sentence { talk.script[i], i, talk.speech[i] };
        full.sentences.push_back(sentence);
        if (i != 4)
            skip.sentences.push_back(sentence);
        if (i == 7)
            skip.sentences.push_back({ talk.unscripted, -1, talk.unscriptedSpeech });
    }
    std::vector<Reading> chosen;
    if (choice != QStringLiteral("skip"))
        chosen.push_back(full);
    if (choice != QStringLiteral("full"))
        chosen.push_back(skip);
    return chosen;
}

struct HeardTranscript {
    double time = 0;
    QString text;
};

struct RunFigures {
    AudioFollowFigures follow;
    std::vector<ChunkMove> moves;
    std::vector<HeardTranscript> transcripts;
    double windowSeconds = 0; // playback start to the last measurement: audio the decoder heard
    double processCpu = 0;
    std::map<QString, double> cpuByName;
    double residentAfter = 0; // once the model and its engine are gone
};

double elapsedSeconds(const QElapsedTimer &clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

std::optional<RunFigures> followOnce(const SpokenReading &reading, const Talk &talk)
{
    std::optional<testing::LiveVoiceSyncEngines> engines;
    if (talk.locator)
        engines.emplace(*talk.locator);
    else
        engines.emplace();
    PrompterViewModel model(testing::scriptOfSentences(talk.script), testing::idleRecordingEngine());
    model.setVoiceSyncEngineFactory(engines->factory());

    QElapsedTimer clock;
    clock.start();
    std::vector<ChunkMove> moves; // times on `clock` until the playback start is known
    QObject::connect(&model, &PrompterViewModel::voiceSyncParagraphIndexChanged, [&] {
        moves.push_back({ elapsedSeconds(clock), model.voiceSyncParagraphIndex() });
    });
    std::vector<HeardTranscript> transcripts;
    QObject::connect(&model, &PrompterViewModel::voiceSyncTranscriptChanged, [&] {
        transcripts.push_back({ elapsedSeconds(clock), model.voiceSyncTranscript() });
    });
    if (const std::optional<QString> status = testing::startListening(model)) {
        std::printf("Voice Sync did not start listening: %s\n", qPrintable(*status));
        return std::nullopt;
    }
    std::printf("\nstatus: %s\n", qPrintable(model.voiceSyncStatus()));
    moves = { { elapsedSeconds(clock), model.voiceSyncParagraphIndex() } };
    transcripts.clear();

    const double cpuBefore = processCpuSeconds();
    const auto threadsBefore = threadCpuSeconds();
    QProcess player;
    player.start(QStringLiteral("paplay"), { QStringLiteral("--device=lumetra_sink"), reading.wavPath });
    if (!player.waitForStarted()) {
        std::printf("paplay did not start\n");
        return std::nullopt;
    }
    // The audio clock: paplay still has to connect, so delays come out a few milliseconds long, not short.
    const double playStart = elapsedSeconds(clock);
    const int playLimit = static_cast<int>(reading.duration * 1000) + 30000;
    if (!QTest::qWaitFor([&] { return player.state() == QProcess::NotRunning; }, playLimit) || player.exitCode() != 0) {
        std::printf("paplay failed: %s\n", player.readAllStandardError().constData());
        return std::nullopt;
    }
    std::int64_t lastRead = 0;
    for (const TimedSentence &sentence : reading.sentences)
        lastRead = sentence.chunk >= 0 ? sentence.chunk : lastRead;
    (void)QTest::qWaitFor([&] { return model.voiceSyncParagraphIndex() == lastRead; }, settleMilliseconds);

    RunFigures figures;
    figures.windowSeconds = elapsedSeconds(clock) - playStart;
    figures.processCpu = processCpuSeconds() - cpuBefore;
    figures.cpuByName = cpuByThreadName(threadsBefore, threadCpuSeconds(), figures.processCpu);
    model.stopVoiceSync();
    QTest::qWait(500); // let the engine stop before the model goes

    for (ChunkMove &move : moves)
        move.time -= playStart;
    figures.moves = std::move(moves);
    for (HeardTranscript &transcript : transcripts)
        transcript.time -= playStart;
    figures.transcripts = std::move(transcripts);
    figures.follow = audioFollowFigures(reading.sentences, figures.moves, figures.windowSeconds);
    return figures;
}

// One run; the resident memory is read once the run's model and engine are gone, to tell what
// stays behind from what a run needs at its peak.
std::optional<RunFigures> follow(const SpokenReading &reading, const Talk &talk)
{
    std::optional<RunFigures> figures = followOnce(reading, talk);
    QTest::qWait(200);
    if (figures)
        figures->residentAfter = residentMebibytes();
    return figures;
}

QString signedSeconds(double value)
{
    return QString::asprintf("%+.2f", value);
}

const char *verdict(bool met)
{
    return met ? "met" : "MISSED";
}

// One line per sentence read: its audio, when the model reached its chunk, and how that compares.
void printChunkTable(const SpokenReading &reading, const AudioFollowFigures &follow)
{
    std::printf("%-6s %7s %7s %9s %9s %8s  %s\n", "chunk", "start", "end", "reached", "vs start", "delay",
        "sentence (times in s from the audio's start; delay: reached - end)");
    std::size_t next = 0;
    for (const TimedSentence &sentence : reading.sentences) {
        QString reached = QStringLiteral("-");
        QString delay = QStringLiteral("-");
        QString sinceStart = QStringLiteral("-");
        QString chunk = QStringLiteral("unscr.");
        if (sentence.chunk >= 0) {
            const ChunkReach &reach = follow.reaches[next++];
            chunk = QString::number(sentence.chunk);
            if (reach.atStart) {
                reached = QStringLiteral("at start");
            } else if (reach.reachedAt) {
                reached = QString::asprintf("%.2f", *reach.reachedAt);
                delay = signedSeconds(*reach.reachedAt - reach.audioEnd);
                sinceStart = signedSeconds(*reach.reachedAt - reach.audioStart);
            } else {
                reached = QStringLiteral("MISSED");
            }
        }
        std::printf("%-6s %7.2f %7.2f %9s %9s %8s  %s\n", qPrintable(chunk), sentence.start, sentence.end,
            qPrintable(reached), qPrintable(sinceStart), qPrintable(delay), qPrintable(sentence.text));
    }
}

void printMovesAndTranscripts(const RunFigures &figures, bool withTranscripts)
{
    QStringList moves;
    for (const ChunkMove &move : figures.moves)
        moves.append(QStringLiteral("%1@%2").arg(
            move.chunk ? QString::number(*move.chunk) : QStringLiteral("none"), QString::asprintf("%.2f", move.time)));
    std::printf("model chunk moves (chunk@second): %s\n", qPrintable(moves.join(QLatin1Char(' '))));
    if (withTranscripts) {
        for (const HeardTranscript &transcript : figures.transcripts)
            std::printf("  heard at %6.2f: %s\n", transcript.time, qPrintable(transcript.text));
    }
}

void printSummary(const RunFigures &figures)
{
    const AudioFollowFigures &follow = figures.follow;
    const double decoderCpu
        = figures.cpuByName.count(decoderThreadName) ? figures.cpuByName.at(decoderThreadName) : 0.0;
    const double endedCpu = figures.cpuByName.at(QStringLiteral("(ended threads)"));
    QStringList byName;
    for (const auto &[thread, seconds] : figures.cpuByName)
        byName.append(QStringLiteral("%1 %2 s").arg(thread, QString::asprintf("%.2f", seconds)));
    const double decoderFactor = (decoderCpu + endedCpu) / figures.windowSeconds;
    const double processFactor = figures.processCpu / figures.windowSeconds;

    std::printf("reached in order     %lld/%lld (%.0f%%)%s   goal all: %s\n",
        static_cast<long long>(follow.reachedInOrder), static_cast<long long>(follow.readChunks),
        follow.reachedShare() * 100, follow.movedBack ? ", moved back at least once" : "",
        verdict(follow.reachedInOrder == follow.readChunks));
    std::printf("largest lead         %lld chunk(s) (%.2f s more than one ahead)   goal <= 1: %s\n",
        static_cast<long long>(follow.largestLead), follow.secondsMoreThanOneAhead, verdict(follow.largestLead <= 1));
    std::printf("largest lag          %lld chunk(s)\n", static_cast<long long>(follow.largestLag));
    std::printf("time ahead / behind  %.1f s / %.1f s of %.1f s; %lld chunk(s) reached before their audio began\n",
        follow.secondsAhead, follow.secondsBehind, follow.secondsSampled,
        static_cast<long long>(follow.reachedBeforeAudioStart));
    if (follow.medianDelay)
        std::printf("median delay         %s s after a chunk's audio ends (%s s after it begins)   goal < 0.5 s: %s\n",
            qPrintable(signedSeconds(*follow.medianDelay)), qPrintable(signedSeconds(*follow.medianSinceStart)),
            verdict(*follow.medianDelay < 0.5));
    else
        std::printf("median delay         none: no chunk reached after the start   goal < 0.5 s: MISSED\n");
    std::printf("real-time factor     decoder threads %.3f, whole process %.3f (%.2f s CPU over %.1f s heard)   "
                "goal < 0.1: %s\n",
        decoderFactor, processFactor, figures.processCpu, figures.windowSeconds, verdict(decoderFactor < 0.1));
    std::printf("CPU by thread        %s\n", qPrintable(byName.join(QStringLiteral(", "))));
    std::printf("peak memory          %.1f MiB (whole process so far; %.1f MiB resident after this run's teardown)\n",
        peakMemoryMebibytes(), figures.residentAfter);
}

void print(const QString &name, const SpokenReading &reading, double pause, int run, const RunFigures &figures,
    bool withTranscripts)
{
    std::printf("== reading \"%s\", run %d: %.1f s of audio, %.1f s pauses between sentences ==\n", qPrintable(name),
        run, reading.duration, pause);
    printChunkTable(reading, figures.follow);
    printMovesAndTranscripts(figures, withTranscripts);
    printSummary(figures);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    testing::redirectSettingsToTemporaryFolder(); // never touch the user's settings

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({ QStringLiteral("language"), QStringLiteral("en, zh or both."), QStringLiteral("which"),
        QStringLiteral("both") });
    parser.addOption({ QStringLiteral("reading"), QStringLiteral("full, skip or both."), QStringLiteral("which"),
        QStringLiteral("both") });
    parser.addOption(
        { QStringLiteral("runs"), QStringLiteral("Runs of each reading."), QStringLiteral("n"), QStringLiteral("1") });
    parser.addOption({ QStringLiteral("pause"), QStringLiteral("Seconds of silence between sentences."),
        QStringLiteral("seconds"), QStringLiteral("0.8") });
    parser.addOption({ QStringLiteral("transcripts"), QStringLiteral("List every transcript the model was given.") });
    parser.process(application);
    const int runs = parser.value(QStringLiteral("runs")).toInt();
    const double pause = parser.value(QStringLiteral("pause")).toDouble();

    if (qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        std::fprintf(stderr, "needs the audio server: bash -c 'source scripts/test-services.sh && %s'\n", argv[0]);
        return 2;
    }
    QTemporaryDir folder;
    const QString language = parser.value(QStringLiteral("language"));
    std::vector<Talk> talks;
    if (language != QStringLiteral("zh"))
        talks.push_back(englishTalk());
    if (language != QStringLiteral("en")) {
        const std::optional<Talk> mandarin = mandarinTalk(folder.filePath(QStringLiteral("models")));
        if (!mandarin) {
            std::fprintf(stderr, "could not make the Mandarin test model (needs pocketsphinx-en-us)\n");
            return 2;
        }
        talks.push_back(*mandarin);
    }
    bool allRan = true;
    for (const Talk &talk : talks) {
        for (const Reading &choice : readings(parser.value(QStringLiteral("reading")), talk)) {
            const QString name = talk.language + QLatin1Char(' ') + choice.name;
            QTemporaryDir readingFolder(folder.filePath(talk.language + choice.name + QStringLiteral("-XXXXXX")));
            const std::optional<SpokenReading> reading
                = recordReading(choice.sentences, readingFolder.path(), pause, margin);
            if (!reading) {
                std::fprintf(stderr, "could not make the audio of reading \"%s\" (espeak-ng, sox)\n", qPrintable(name));
                return 2;
            }
            for (int run = 1; run <= runs; ++run) {
                const std::optional<RunFigures> figures = follow(*reading, talk);
                if (figures)
                    print(name, *reading, pause, run, *figures, parser.isSet(QStringLiteral("transcripts")));
                allRan = allRan && figures.has_value();
            }
        }
    }
    return allRan ? 0 : 1;
}
