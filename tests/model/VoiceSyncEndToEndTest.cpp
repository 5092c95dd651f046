#include "GStreamerAudioSource.h"
#include "ModelTestSupport.h"
#include "OfflineSpeechVoiceSyncEngine.h"
#include "PermissionService.h"
#include "PocketSphinxRecognizer.h"
#include "PrompterViewModel.h"
#include "ScriptedConsentPrompter.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

using namespace lumetra;

namespace {

// Twelve sentences, each short enough to be one chunk.
const QStringList sentences = {
    QStringLiteral("Good morning and welcome to our meeting."),
    QStringLiteral("Today we will talk about the new product."),
    QStringLiteral("Our team worked very hard this year."),
    QStringLiteral("We listened to our customers every week."),
    QStringLiteral("They asked for a simpler way to plan."),
    QStringLiteral("So we built a calendar that plans itself."),
    QStringLiteral("It learns when you like to work."),
    QStringLiteral("Early users saved two hours every week."),
    QStringLiteral("Next month we open the beta to everyone."),
    QStringLiteral("Please sign up on our website to join."),
    QStringLiteral("We would love to hear what you think."),
    QStringLiteral("Thank you all for coming here today."),
};

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString joined(const std::vector<std::int64_t> &values)
{
    QStringList texts;
    for (const std::int64_t value : values)
        texts.append(QString::number(value));
    return texts.join(QLatin1Char(' '));
}

} // namespace

// espeak-ng reads the script into the virtual microphone; with Voice Sync on, the model's chunk
// must advance in order to the last one and the spoken count must never move back.
TEST(VoiceSyncEndToEndTest, TheModelFollowsSyntheticSpeechToTheLastChunk)
{
    if (qgetenv("PULSE_SERVER").isEmpty())
        GTEST_SKIP() << "needs the PulseAudio server of scripts/test-services.sh";

    QTemporaryDir folder;
    const QString speech = folder.filePath(QStringLiteral("script.wav"));
    QString ssml = QStringLiteral("<speak>");
    for (const QString &sentence : sentences)
        ssml += sentence + QStringLiteral(" <break time=\"1200ms\"/> ");
    ssml += QStringLiteral("</speak>");
    ASSERT_TRUE(run(QStringLiteral("espeak-ng"), { "-m", "-v", "en-us", "-s", "150", "-w", speech, ssml }));

    lumetra::testing::clearStoredSettings();
    lumetra::testing::ScriptedConsentPrompter prompter;
    PermissionService permissions(&prompter);
    permissions.setDecision(PermissionKind::speech, true);
    permissions.setDecision(PermissionKind::microphone, true);
    PrompterViewModel model(QStringLiteral("# Launch\n\n") + sentences.join(QStringLiteral("\n\n")),
        lumetra::testing::idleRecordingEngine());
    ASSERT_EQ(model.paragraphs().size(), static_cast<std::size_t>(sentences.size()));
    model.setVoiceSyncEngineFactory([&permissions](QObject *parent) {
        return new OfflineSpeechVoiceSyncEngine(&permissions,
            std::make_unique<PocketSphinxRecognizer>(QStringLiteral("/usr/share/pocketsphinx/model/en-us")),
            new GStreamerAudioSource, parent);
    });

    std::vector<std::int64_t> chunks;
    std::vector<std::int64_t> spoken;
    const auto chunkSpy = QObject::connect(&model, &PrompterViewModel::voiceSyncParagraphIndexChanged, [&] {
        if (model.voiceSyncParagraphIndex())
            chunks.push_back(*model.voiceSyncParagraphIndex());
    });
    const auto spokenSpy = QObject::connect(&model, &PrompterViewModel::spokenReadableCharacterCountChanged,
        [&] { spoken.push_back(model.spokenReadableCharacterCount()); });

    model.startVoiceSync();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model.voiceSyncStatus().startsWith(QStringLiteral("啟動中")); }, 60000));
    ASSERT_TRUE(model.voiceSyncStatus().endsWith(QStringLiteral(" 監聽中"))) << model.voiceSyncStatus().toStdString();
    // The test audio server's keep-alive stream makes a new capture's first buffer take up to two seconds.
    QTest::qWait(2500);

    QProcess player;
    player.start(QStringLiteral("paplay"), { QStringLiteral("--device=lumetra_sink"), speech });
    ASSERT_TRUE(player.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.state() == QProcess::NotRunning; }, 180000));
    ASSERT_EQ(player.exitCode(), 0) << player.readAllStandardError().toStdString();
    const std::int64_t last = static_cast<std::int64_t>(sentences.size()) - 1;
    (void)QTest::qWaitFor([&] { return !chunks.empty() && chunks.back() == last; }, 5000);
    QObject::disconnect(chunkSpy);
    QObject::disconnect(spokenSpy);
    model.stopVoiceSync();

    std::cout << "chunks " << joined(chunks).toStdString() << "\nspoken " << joined(spoken).toStdString() << "\n";
    ASSERT_FALSE(chunks.empty());
    EXPECT_TRUE(std::is_sorted(chunks.begin(), chunks.end())) << "the chunk only moves forward";
    EXPECT_EQ(chunks.back(), last);
    EXPECT_TRUE(std::is_sorted(spoken.begin(), spoken.end())) << "the spoken count never falls";
}
