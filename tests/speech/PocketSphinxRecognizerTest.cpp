#include "PocketSphinxRecognizer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <mutex>

using namespace lumetra;

namespace {

const QString model = QStringLiteral("/usr/share/pocketsphinx/model/en-us");

// espeak-ng speech of `text` followed by a second of silence, as 16 kHz mono 16-bit samples.
std::vector<std::int16_t> spoken(const QString &text)
{
    QTemporaryDir folder;
    const QString wav = folder.filePath(QStringLiteral("s.wav"));
    const QString raw = folder.filePath(QStringLiteral("s.raw"));
    EXPECT_EQ(QProcess::execute(QStringLiteral("espeak-ng"), { "-v", "en-us", "-w", wav, text }), 0);
    EXPECT_EQ(
        QProcess::execute(QStringLiteral("sox"),
            { wav, "-r", "16000", "-c", "1", "-b", "16", "-e", "signed-integer", "-t", "raw", raw, "pad", "0", "1.0" }),
        0);
    QFile file(raw);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    std::vector<std::int16_t> samples(std::size_t(bytes.size()) / sizeof(std::int16_t));
    std::memcpy(samples.data(), bytes.constData(), samples.size() * sizeof(std::int16_t));
    return samples;
}

// Collects what a run reports, from the worker thread.
struct Reports {
    std::mutex mutex;
    std::vector<RecognitionResult> results;
    int errors = 0;

    SpeechRecognizer::ResultHandler handler()
    {
        return [this](std::optional<RecognitionResult> result, bool error) {
            std::lock_guard lock(mutex);
            if (result)
                results.push_back(*result);
            errors += error;
        };
    }
    std::vector<RecognitionResult> snapshot()
    {
        std::lock_guard lock(mutex);
        return results;
    }
    bool hasFinal()
    {
        const auto all = snapshot();
        return !all.empty() && all.back().isFinal;
    }
};

void feed(RecognitionRun &run, const std::vector<std::int16_t> &samples)
{
    for (std::size_t at = 0; at + 1024 <= samples.size(); at += 1024)
        run.append(std::span(samples.data() + at, 1024));
}

const QString script = QStringLiteral("The weather is lovely today.\nWe will read the next chapter together.");

} // namespace

TEST(PocketSphinxRecognizerTest, ARunReportsPartialsThenOneFinalWhenSpeechStops)
{
    PocketSphinxRecognizer recognizer(model);
    ASSERT_TRUE(recognizer.isAvailable(QString()));
    EXPECT_EQ(recognizer.languageTag(), QStringLiteral("en-US"));

    Reports first;
    const auto run = recognizer.startRun(script, first.handler());
    ASSERT_TRUE(run);
    feed(*run, spoken(QStringLiteral("The weather is lovely today.")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.hasFinal(); }, 20000));
    const auto results = first.snapshot();
    ASSERT_GE(results.size(), 2u) << "partial results come before the final one";
    for (std::size_t i = 0; i + 1 < results.size(); ++i)
        EXPECT_FALSE(results[i].isFinal);
    EXPECT_TRUE(results.back().transcript.startsWith(QStringLiteral("the weather is lovely today")))
        << results.back().transcript.toStdString();
    EXPECT_EQ(first.errors, 0);

    // The run is over: more audio changes nothing.
    feed(*run, spoken(QStringLiteral("together")));
    QTest::qWait(300);
    EXPECT_EQ(first.snapshot().size(), results.size());

    // The next run starts from nothing and hears only its own speech.
    Reports second;
    const auto next = recognizer.startRun(script, second.handler());
    feed(*next, spoken(QStringLiteral("We will read the next chapter together.")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.hasFinal(); }, 20000));
    const QString heard = second.snapshot().back().transcript;
    EXPECT_TRUE(heard.startsWith(QStringLiteral("we will read the next chapter together"))) << heard.toStdString();
}

TEST(PocketSphinxRecognizerTest, ACancelledRunReportsNothingMoreAndTheNextRunStillWorks)
{
    PocketSphinxRecognizer recognizer(model);
    ASSERT_TRUE(recognizer.isAvailable(QString()));
    Reports cancelled;
    auto run = recognizer.startRun(script, cancelled.handler());
    run->cancel();
    feed(*run, spoken(QStringLiteral("The weather is lovely today.")));
    run.reset();
    QTest::qWait(500);
    EXPECT_TRUE(cancelled.snapshot().empty());

    Reports later;
    const auto next = recognizer.startRun(QString(), later.handler());
    ASSERT_TRUE(next) << "an empty vocabulary still runs";
    feed(*next, spoken(QStringLiteral("The weather is lovely today.")));
    next->endAudio();
    QTest::qWait(1500);
    for (const RecognitionResult &result : later.snapshot())
        EXPECT_EQ(result.transcript, QString()) << "with no script words nothing can match";
    EXPECT_EQ(later.errors, 0);
}

TEST(PocketSphinxRecognizerTest, ARecognizerGoingFirstStopsItsRunsInsteadOfWaitingForThem)
{
    auto recognizer = std::make_unique<PocketSphinxRecognizer>(model);
    ASSERT_TRUE(recognizer->isAvailable(QString()));
    Reports reports;
    const auto run = recognizer->startRun(script, reports.handler());
    const std::vector<std::int16_t> speech = spoken(QStringLiteral("The weather is lovely today."));
    feed(*run, std::vector<std::int16_t>(speech.begin(), speech.begin() + 8192));
    recognizer.reset(); // must not wait for a run that is still open
    const std::size_t reported = reports.snapshot().size();
    feed(*run, speech);
    QTest::qWait(500);
    EXPECT_EQ(reports.snapshot().size(), reported);
    EXPECT_EQ(reports.errors, 0);
}
