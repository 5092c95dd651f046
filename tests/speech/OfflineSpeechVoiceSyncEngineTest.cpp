#include "OfflineSpeechVoiceSyncEngine.h"
#include "FakeAudioSource.h"
#include "FakeSpeechRecognizer.h"
#include "NeverRestrictedProbe.h"
#include "PermissionService.h"
#include "ScriptedConsentPrompter.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <thread>

using namespace lumetra;
using lumetra::testing::FakeAudioSource;
using lumetra::testing::FakeSpeechRecognizer;
using lumetra::testing::ScriptedConsentPrompter;

namespace {

class OfflineSpeechVoiceSyncEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings().clear();
        auto recognizerOwned = std::make_unique<FakeSpeechRecognizer>();
        recognizer = recognizerOwned.get();
        audio = new FakeAudioSource;
        engine = std::make_unique<OfflineSpeechVoiceSyncEngine>(&permissions, std::move(recognizerOwned), audio);
        stream = engine->updates();
        spy = std::make_unique<QSignalSpy>(stream, &VoiceSyncUpdateStream::updateReceived);
    }

    std::optional<VoiceSyncError> startAndWait()
    {
        std::optional<std::optional<VoiceSyncError>> outcome;
        engine->start([&](std::optional<VoiceSyncError> error) { outcome = error; });
        EXPECT_FALSE(outcome.has_value()) << "start completes later, never inside start()";
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 2000));
        return outcome.value_or(VoiceSyncError::platform(QStringLiteral("no answer")));
    }

    // Delivers a result of run `index` from another thread, as the recogniser does.
    void deliver(std::size_t index, std::optional<RecognitionResult> result, bool error = false)
    {
        const auto handler = recognizer->runs.at(index).handler;
        std::thread([handler, result, error] { handler(result, error); }).join();
    }

    VoiceSyncUpdate updateAt(qsizetype index) const { return spy->at(index).at(0).value<VoiceSyncUpdate>(); }

    bool waitForRuns(std::size_t count, int timeoutMs = 2000)
    {
        return QTest::qWaitFor([&] { return recognizer->runs.size() >= count; }, timeoutMs);
    }

    ScriptedConsentPrompter prompter;
    PermissionService permissions { &prompter, std::make_shared<lumetra::testing::NeverRestrictedProbe>() };
    FakeSpeechRecognizer *recognizer = nullptr;
    FakeAudioSource *audio = nullptr;
    std::unique_ptr<OfflineSpeechVoiceSyncEngine> engine;
    VoiceSyncUpdateStream *stream = nullptr;
    std::unique_ptr<QSignalSpy> spy;
};

} // namespace

TEST_F(OfflineSpeechVoiceSyncEngineTest, NameCarriesTheModelLanguage)
{
    EXPECT_EQ(engine->name(), QStringLiteral("離線語音辨識 en-US"));
}

TEST_F(OfflineSpeechVoiceSyncEngineTest, PartialThenFinalYieldsTwoUpdatesAndRestartsAfterAQuarterSecond)
{
    prompter.answers = { true, true };
    engine->setScriptText(QStringLiteral("first script"));
    ASSERT_EQ(startAndWait(), std::nullopt);
    ASSERT_EQ(recognizer->runs.size(), 1u);
    EXPECT_EQ(recognizer->runs[0].scriptText, QStringLiteral("first script"));
    EXPECT_TRUE(audio->isRunning());

    deliver(0, RecognitionResult { QStringLiteral("hello"), false });
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy->size() == 1; }, 1000));
    EXPECT_EQ(updateAt(0), (VoiceSyncUpdate { QStringLiteral("hello"), 0.65, std::nullopt }));
    EXPECT_TRUE(audio->isRunning()) << "a partial result does not end the run";

    engine->setScriptText(QStringLiteral("edited script"));
    QElapsedTimer sinceFinal;
    deliver(0, RecognitionResult { QStringLiteral("hello"), true });
    sinceFinal.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy->size() == 2; }, 1000));
    EXPECT_EQ(updateAt(1), (VoiceSyncUpdate { QStringLiteral("hello"), 1.0, std::nullopt }));

    // Torn down: microphone stopped, the run's audio ended and the run cancelled.
    EXPECT_FALSE(audio->isRunning());
    EXPECT_TRUE(recognizer->runs[0].run.expired()) << "the engine no longer holds the finished run";
    EXPECT_TRUE(engine->isRestartPending());
    EXPECT_EQ(recognizer->runs.size(), 1u);

    ASSERT_TRUE(waitForRuns(2));
    EXPECT_GE(sinceFinal.elapsed(), 240);
    EXPECT_TRUE(audio->isRunning());
    EXPECT_EQ(recognizer->runs[1].scriptText, QStringLiteral("edited script")) << "each run takes the newest text";
    EXPECT_EQ(spy->size(), 2) << "a restart yields nothing by itself";
}

TEST_F(OfflineSpeechVoiceSyncEngineTest, AnErrorWithoutResultYieldsNothingButStillRestarts)
{
    prompter.answers = { true, true };
    ASSERT_EQ(startAndWait(), std::nullopt);
    deliver(0, std::nullopt, true);
    ASSERT_TRUE(waitForRuns(2));
    EXPECT_EQ(spy->size(), 0);
    EXPECT_TRUE(engine->shouldKeepRunning());
}

TEST_F(OfflineSpeechVoiceSyncEngineTest, StopDuringTheRestartWaitPreventsTheRestart)
{
    prompter.answers = { true, true };
    ASSERT_EQ(startAndWait(), std::nullopt);
    deliver(0, std::nullopt, true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine->isRestartPending(); }, 1000));
    EXPECT_EQ(audio->releases, 0) << "the microphone stays open between runs";
    engine->stop();
    EXPECT_EQ(audio->releases, 1) << "stopping closes the microphone";
    QTest::qWait(500);
    EXPECT_EQ(recognizer->runs.size(), 1u);
    EXPECT_FALSE(audio->isRunning());
    EXPECT_FALSE(engine->shouldKeepRunning());
}

TEST_F(OfflineSpeechVoiceSyncEngineTest, AFailedRestartYieldsExactlyOneFailureUpdateAndStopsRestarting)
{
    prompter.answers = { true, true };
    ASSERT_EQ(startAndWait(), std::nullopt);
    recognizer->available = false;
    deliver(0, RecognitionResult { QStringLiteral("done"), true });
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy->size() == 2; }, 2000));
    EXPECT_EQ(updateAt(1),
        (VoiceSyncUpdate { QStringLiteral("Voice Sync 重新啟動失敗：中文語音辨識器目前不可用"), 0, std::nullopt }));
    EXPECT_FALSE(engine->shouldKeepRunning());
    EXPECT_EQ(audio->releases, 1);

    // Even a late error of the old run does not bring the restarts back.
    deliver(0, std::nullopt, true);
    QTest::qWait(600);
    EXPECT_EQ(spy->size(), 2);
    EXPECT_EQ(recognizer->runs.size(), 1u);
    EXPECT_FALSE(audio->isRunning());
}

TEST_F(OfflineSpeechVoiceSyncEngineTest, AMicrophoneLostBeforeARestartEndsTheRestartsWithItsText)
{
    prompter.answers = { true, true };
    ASSERT_EQ(startAndWait(), std::nullopt);
    audio->startError = VoiceSyncError::audioInputUnavailable();
    audio->fail(); // the microphone disappears mid-run: the run ends like an error
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy->size() == 1; }, 2000));
    EXPECT_EQ(updateAt(0).transcript, QStringLiteral("Voice Sync 重新啟動失敗：找不到可用的麥克風輸入"));
    EXPECT_EQ(recognizer->runs.size(), 2u);
    EXPECT_TRUE(recognizer->runs[1].run.expired()) << "the half-started run is torn down";
    QTest::qWait(400);
    EXPECT_EQ(spy->size(), 1);
}

TEST_F(OfflineSpeechVoiceSyncEngineTest, ATapBufferAfterTearDownIsDropped)
{
    prompter.answers = { true, true };
    ASSERT_EQ(startAndWait(), std::nullopt);
    const std::vector<std::int16_t> buffer(AudioSource::framesPerBuffer, 7);
    const auto tap = audio->lastTap;
    std::thread([&] { tap(buffer); }).join();
    EXPECT_EQ(*recognizer->runs[0].framesReceived, AudioSource::framesPerBuffer);

    deliver(0, RecognitionResult { QStringLiteral("x"), true });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !audio->isRunning(); }, 1000));
    std::thread([&] { tap(buffer); }).join();
    EXPECT_EQ(*recognizer->runs[0].framesReceived, AudioSource::framesPerBuffer);

    ASSERT_TRUE(waitForRuns(2));
    std::thread([&] { tap(buffer); }).join();
    EXPECT_EQ(*recognizer->runs[1].framesReceived, 0) << "the old tap never feeds a newer run";
}

TEST_F(OfflineSpeechVoiceSyncEngineTest, SpeechRefusedMeansTheMicrophoneIsNeverAsked)
{
    prompter.answers = { false, true };
    EXPECT_EQ(startAndWait(), VoiceSyncError::speechPermissionDenied());
    EXPECT_EQ(prompter.asked, std::vector<PermissionKind> { PermissionKind::speech });
    EXPECT_EQ(audio->starts, 0);
    EXPECT_TRUE(recognizer->runs.empty());
    EXPECT_EQ(VoiceSyncError::speechPermissionDenied().description(), QStringLiteral("語音辨識權限未開啟"));
}

TEST_F(OfflineSpeechVoiceSyncEngineTest, MicrophoneRefusedFailsAfterSpeechWasGranted)
{
    prompter.answers = { true, false };
    const auto error = startAndWait();
    EXPECT_EQ(error, VoiceSyncError::microphonePermissionDenied());
    EXPECT_EQ(error->description(), QStringLiteral("麥克風權限未開啟"));
    EXPECT_EQ(prompter.asked, (std::vector<PermissionKind> { PermissionKind::speech, PermissionKind::microphone }));
    EXPECT_EQ(audio->starts, 0);
}

TEST_F(OfflineSpeechVoiceSyncEngineTest, StartFailuresLeaveNothingRunning)
{
    prompter.answers = { true, true };
    recognizer->available = false;
    EXPECT_EQ(startAndWait(), VoiceSyncError::recognizerUnavailable());
    EXPECT_EQ(audio->starts, 0);

    recognizer->available = true;
    audio->startError = VoiceSyncError::platform(QStringLiteral("Could not open audio device"));
    const auto error = startAndWait();
    EXPECT_EQ(error, VoiceSyncError::platform(QStringLiteral("Could not open audio device")));
    EXPECT_EQ(error->description(), QStringLiteral("Could not open audio device")) << "audio errors pass through";
    ASSERT_EQ(recognizer->runs.size(), 1u);
    EXPECT_TRUE(recognizer->runs[0].run.expired());
    EXPECT_FALSE(engine->shouldKeepRunning());
    QTest::qWait(400);
    EXPECT_EQ(recognizer->runs.size(), 1u);
}

TEST_F(OfflineSpeechVoiceSyncEngineTest, StopWhileWaitingForPermissionsLeavesNothingListening)
{
    prompter.answers = { true, true };
    bool completed = false;
    engine->start([&](std::optional<VoiceSyncError>) { completed = true; });
    engine->stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return completed; }, 2000));
    EXPECT_EQ(audio->starts, 0);
    EXPECT_FALSE(engine->shouldKeepRunning());
}

TEST_F(OfflineSpeechVoiceSyncEngineTest, ANewStreamReplacesTheOldOne)
{
    prompter.answers = { true, true };
    ASSERT_EQ(startAndWait(), std::nullopt);
    VoiceSyncUpdateStream *second = engine->updates();
    ASSERT_NE(second, stream);
    QSignalSpy secondSpy(second, &VoiceSyncUpdateStream::updateReceived);
    deliver(0, RecognitionResult { QStringLiteral("later"), false });
    ASSERT_TRUE(QTest::qWaitFor([&] { return secondSpy.size() == 1; }, 1000));
    EXPECT_EQ(spy->size(), 0);
}
