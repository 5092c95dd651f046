#include "LiveVoiceSync.h"
#include "ModelTestSupport.h"
#include "PrompterViewModel.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

using namespace lumetra;

namespace {

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
    const QStringList &sentences = lumetra::testing::englishLaunchSentences();
    const QString speech = folder.filePath(QStringLiteral("script.wav"));
    QString ssml = QStringLiteral("<speak>");
    for (const QString &sentence : sentences)
        ssml += sentence + QStringLiteral(" <break time=\"1200ms\"/> ");
    ssml += QStringLiteral("</speak>");
    ASSERT_TRUE(lumetra::testing::speakToWav(ssml, speech));

    lumetra::testing::clearStoredSettings();
    lumetra::testing::LiveVoiceSyncEngines engines;
    PrompterViewModel model(lumetra::testing::scriptOfSentences(sentences), lumetra::testing::idleRecordingEngine());
    ASSERT_EQ(model.paragraphs().size(), static_cast<std::size_t>(sentences.size()));
    model.setVoiceSyncEngineFactory(engines.factory());

    std::vector<std::int64_t> chunks;
    std::vector<std::int64_t> spoken;
    const auto chunkSpy = QObject::connect(&model, &PrompterViewModel::voiceSyncParagraphIndexChanged, [&] {
        if (model.voiceSyncParagraphIndex())
            chunks.push_back(*model.voiceSyncParagraphIndex());
    });
    const auto spokenSpy = QObject::connect(&model, &PrompterViewModel::spokenReadableCharacterCountChanged,
        [&] { spoken.push_back(model.spokenReadableCharacterCount()); });

    const std::optional<QString> notListening = lumetra::testing::startListening(model);
    ASSERT_FALSE(notListening) << notListening->toStdString();

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
