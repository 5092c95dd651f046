#include "GStreamerAudioSource.h"
#include "OfflineSpeechVoiceSyncEngine.h"
#include "PermissionService.h"
#include "PocketSphinxRecognizer.h"
#include "ScriptedConsentPrompter.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumetra;

namespace {

const QStringList scriptSentences = {
    QStringLiteral("Good morning and welcome to our annual meeting."),
    QStringLiteral("Today we will talk about the new product."),
    QStringLiteral("Our team worked very hard this year."),
    QStringLiteral("Thank you all for coming here today."),
};

QStringList wordsOf(const QString &text)
{
    QStringList words;
    for (const QString &word : text.toLower().split(QRegularExpression(QStringLiteral("[^a-z']+")), Qt::SkipEmptyParts))
        words.append(word);
    return words;
}

// The length of the longest common subsequence: how many script words were heard in order.
qsizetype wordsInOrder(const QStringList &expected, const QStringList &heard)
{
    std::vector<qsizetype> row(heard.size() + 1, 0);
    for (const QString &word : expected) {
        qsizetype diagonal = 0;
        for (qsizetype j = 1; j <= heard.size(); ++j) {
            const qsizetype above = row[j];
            row[j] = word == heard[j - 1] ? diagonal + 1 : std::max(row[j], row[j - 1]);
            diagonal = above;
        }
    }
    return row.back();
}

bool run(const QString &program, const QStringList &arguments, int timeoutMs = 60000)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

} // namespace

// The test script's virtual microphone hears espeak-ng reading the script; the real engine with
// Debian's English model and the script's own vocabulary must hear its words in order.
TEST(SpeechEndToEndTest, SyntheticSpeechThroughTheVirtualMicrophoneIsHeardInOrder)
{
    if (qgetenv("PULSE_SERVER").isEmpty())
        GTEST_SKIP() << "needs the PulseAudio server of scripts/test-services.sh";

    QTemporaryDir folder;
    const QString speech = folder.filePath(QStringLiteral("script.wav"));
    // A one-second break after every sentence, so each ends a recognition run.
    QString ssml = QStringLiteral("<speak>");
    for (const QString &sentence : scriptSentences)
        ssml += sentence + QStringLiteral(" <break time=\"1200ms\"/> ");
    ssml += QStringLiteral("</speak>");
    ASSERT_TRUE(run(QStringLiteral("espeak-ng"), { "-m", "-v", "en-us", "-s", "150", "-w", speech, ssml }));

    QSettings().clear();
    lumetra::testing::ScriptedConsentPrompter prompter;
    PermissionService permissions(&prompter);
    permissions.setDecision(PermissionKind::speech, true);
    permissions.setDecision(PermissionKind::microphone, true);
    OfflineSpeechVoiceSyncEngine engine(&permissions,
        std::make_unique<PocketSphinxRecognizer>(QStringLiteral("/usr/share/pocketsphinx/model/en-us")),
        new GStreamerAudioSource);
    engine.setScriptText(QStringLiteral("# Meeting\n\n") + scriptSentences.join(QStringLiteral("\n\n")));
    EXPECT_EQ(engine.name(), QStringLiteral("離線語音辨識 en-US"));

    std::vector<VoiceSyncUpdate> updates;
    QObject::connect(engine.updates(), &VoiceSyncUpdateStream::updateReceived,
        [&](const VoiceSyncUpdate &update) { updates.push_back(update); });
    std::optional<std::optional<VoiceSyncError>> started;
    engine.start([&](std::optional<VoiceSyncError> error) { started = error; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return started.has_value(); }, 60000));
    ASSERT_EQ(*started, std::nullopt) << (*started)->description().toStdString();
    // The test audio server's keep-alive stream sets a long sink latency, so a new capture may
    // take up to two seconds to deliver its first buffer.
    QTest::qWait(2500);

    QProcess player;
    player.start(QStringLiteral("paplay"), { QStringLiteral("--device=lumetra_sink"), speech });
    ASSERT_TRUE(player.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.state() == QProcess::NotRunning; }, 120000));
    ASSERT_EQ(player.exitCode(), 0) << player.readAllStandardError().toStdString();
    // Room for the last sentence's end of speech to be detected.
    (void)QTest::qWaitFor([&] { return !updates.empty() && updates.back().confidence == 1.0; }, 5000);
    engine.stop();

    // Each run's last update is its best transcript; a run ends with a final one.
    QStringList heard;
    int finals = 0;
    for (std::size_t i = 0; i < updates.size(); ++i) {
        const VoiceSyncUpdate &update = updates[i];
        EXPECT_TRUE(update.confidence == 0.65 || update.confidence == 1.0) << update.transcript.toStdString();
        finals += update.confidence == 1.0;
        const bool endsRun = update.confidence == 1.0 || i + 1 == updates.size();
        if (endsRun)
            heard += wordsOf(update.transcript);
    }
    const QStringList expected = wordsOf(scriptSentences.join(QLatin1Char(' ')));
    const qsizetype inOrder = wordsInOrder(expected, heard);
    std::cout << "heard " << heard.join(' ').toStdString() << "\n"
              << inOrder << " of " << expected.size() << " script words in order, " << finals << " final results of "
              << updates.size() << " updates\n";
    EXPECT_GE(finals, 3) << "sentences separated by pauses end their own runs";
    // Repeated runs heard 24 to 28 of the 30 words; most misheard words fall in the first sentence.
    EXPECT_GE(double(inOrder), 0.75 * double(expected.size()));
    EXPECT_LE(heard.size(), expected.size() + 4) << "no long stretches of invented words";
}
