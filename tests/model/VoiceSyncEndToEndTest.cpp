#include "LiveVoiceSync.h"
#include "MandarinCipherModel.h"
#include "MandarinLaunchScript.h"
#include "ModelTestSupport.h"
#include "PrompterViewModel.h"

#include <QProcess>
#include <QSet>
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

// espeak-ng reads `spoken` (one entry per chunk of `sentences`) into the virtual microphone; with
// Voice Sync on, the model's chunk must advance in order to the last one and the spoken count
// must never move back. `listeningStatus`: the status the model must show once it listens.
// Returns every transcript the model was given.
QStringList expectFollowedToTheLastChunk(const QStringList &sentences, const QStringList &spoken,
    lumetra::testing::LiveVoiceSyncEngines &engines, const QString &listeningStatus)
{
    QStringList transcripts;
    QTemporaryDir folder;
    const QString speech = folder.filePath(QStringLiteral("script.wav"));
    if (!lumetra::testing::speakSentencesToWav(spoken, speech)) {
        ADD_FAILURE() << "espeak-ng could not speak";
        return transcripts;
    }

    PrompterViewModel model(lumetra::testing::scriptOfSentences(sentences), lumetra::testing::idleRecordingEngine());
    EXPECT_EQ(model.paragraphs().size(), static_cast<std::size_t>(sentences.size()));
    model.setVoiceSyncEngineFactory(engines.factory());

    std::vector<std::int64_t> chunks;
    std::vector<std::int64_t> spokenCounts;
    QStringList statuses;
    const auto chunkSpy = QObject::connect(&model, &PrompterViewModel::voiceSyncParagraphIndexChanged, [&] {
        if (model.voiceSyncParagraphIndex())
            chunks.push_back(*model.voiceSyncParagraphIndex());
    });
    const auto spokenSpy = QObject::connect(&model, &PrompterViewModel::spokenReadableCharacterCountChanged,
        [&] { spokenCounts.push_back(model.spokenReadableCharacterCount()); });
    const auto statusSpy = QObject::connect(
        &model, &PrompterViewModel::voiceSyncStatusChanged, [&] { statuses.append(model.voiceSyncStatus()); });
    const auto transcriptSpy = QObject::connect(&model, &PrompterViewModel::voiceSyncTranscriptChanged,
        [&] { transcripts.append(model.voiceSyncTranscript()); });

    if (const std::optional<QString> notListening = lumetra::testing::startListening(model)) {
        ADD_FAILURE() << "not listening: " << notListening->toStdString();
        return transcripts;
    }
    EXPECT_TRUE(statuses.contains(listeningStatus)) << statuses.join(QLatin1String(" | ")).toStdString();

    QProcess player;
    player.start(QStringLiteral("paplay"), { QStringLiteral("--device=lumetra_sink"), speech });
    const bool played = player.waitForStarted()
        && QTest::qWaitFor([&] { return player.state() == QProcess::NotRunning; }, 180000) && player.exitCode() == 0;
    EXPECT_TRUE(played) << player.readAllStandardError().toStdString();
    const std::int64_t last = static_cast<std::int64_t>(sentences.size()) - 1;
    (void)QTest::qWaitFor([&] { return !chunks.empty() && chunks.back() == last; }, 5000);
    QObject::disconnect(chunkSpy);
    QObject::disconnect(spokenSpy);
    QObject::disconnect(statusSpy);
    QObject::disconnect(transcriptSpy);
    std::cout << "chunks " << joined(chunks).toStdString() << "\nspoken " << joined(spokenCounts).toStdString()
              << "\nlast transcript " << model.voiceSyncTranscript().toStdString() << "\n";
    model.stopVoiceSync();

    EXPECT_FALSE(chunks.empty());
    EXPECT_TRUE(std::is_sorted(chunks.begin(), chunks.end())) << "the chunk only moves forward";
    EXPECT_EQ(chunks.empty() ? -1 : chunks.back(), last);
    EXPECT_TRUE(std::is_sorted(spokenCounts.begin(), spokenCounts.end())) << "the spoken count never falls";
    return transcripts;
}

} // namespace

TEST(VoiceSyncEndToEndTest, TheModelFollowsSyntheticSpeechToTheLastChunk)
{
    if (qgetenv("PULSE_SERVER").isEmpty())
        GTEST_SKIP() << "needs the PulseAudio server of scripts/test-services.sh";
    lumetra::testing::clearStoredSettings();
    lumetra::testing::LiveVoiceSyncEngines engines;
    const QStringList &sentences = lumetra::testing::englishLaunchSentences();
    expectFollowedToTheLastChunk(sentences, sentences, engines, QStringLiteral("離線語音辨識 en-US 監聽中"));
}

// A zh-TW script read in Mandarin to a model whose dictionary is Simplified: the program must find
// that model for the script (not the English one beside it), decode the Simplified words of the
// Traditional text, and follow the reading to its end.
TEST(VoiceSyncEndToEndTest, TheModelFollowsMandarinReadingOfATraditionalScriptToTheLastChunk)
{
    if (qgetenv("PULSE_SERVER").isEmpty())
        GTEST_SKIP() << "needs the PulseAudio server of scripts/test-services.sh";
    lumetra::testing::clearStoredSettings();
    qunsetenv(SpeechModelLocator::environmentVariable);

    QTemporaryDir models;
    const QStringList &readings = lumetra::testing::mandarinLaunchReadings();
    const std::optional<lumetra::testing::MandarinCipherModel> mandarin = lumetra::testing::MandarinCipherModel::build(
        models.path(), lumetra::testing::mandarinDictionaryWords(), readings);
    ASSERT_TRUE(mandarin) << "needs Debian's pocketsphinx-en-us";
    QStringList spoken;
    for (const QString &reading : readings)
        spoken.append(mandarin->spoken(reading));

    lumetra::testing::LiveVoiceSyncEngines engines(SpeechModelLocator(models.filePath(QStringLiteral("no-user-models")),
        { models.path(), QStringLiteral("/usr/share/pocketsphinx/model") }));
    const QStringList transcripts = expectFollowedToTheLastChunk(
        lumetra::testing::mandarinLaunchSentences(), spoken, engines, QStringLiteral("離線語音辨識 zh-CN 監聽中"));

    // The decoder can only write a Simplified character whose Traditional form differs if the
    // script's words were found in the Simplified dictionary: most of those read must be heard.
    const QString script = lumetra::testing::mandarinLaunchSentences().join(QString());
    const QString heard = transcripts.join(QString());
    QSet<QString> differing;
    QSet<QString> differingHeard;
    for (const char32_t character : readings.join(QString()).toUcs4()) {
        const QString simplified = QString::fromUcs4(&character, 1);
        if (QChar::script(character) != QChar::Script_Han || script.contains(simplified))
            continue;
        differing.insert(simplified);
        if (heard.contains(simplified))
            differingHeard.insert(simplified);
    }
    std::cout << differingHeard.size() << " of " << differing.size()
              << " characters whose Traditional form differs were heard in Simplified\n";
    ASSERT_GE(differing.size(), 40);
    EXPECT_GE(double(differingHeard.size()), 0.8 * double(differing.size()));
}
