#include "DistinctCharacters.h"
#include "ModelTestSupport.h"
#include "PrompterViewModel.h"
#include "ScriptedVoiceSyncEngine.h"
#include "WorkflowTalk.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::distinctCharacters;
using lumetra::testing::ScriptedVoiceSyncEngine;

namespace {

const QString noMatch = QStringLiteral("聽到聲音，等待回到稿件附近");

// Six chunks of 12 characters that resemble nothing but themselves.
QString distinctScript()
{
    QString text;
    for (int chunk = 0; chunk < 6; ++chunk)
        text += distinctCharacters(chunk, 12) + QStringLiteral("。\n");
    return text;
}

class VoiceSyncModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        lumetra::testing::clearStoredSettings();
        model.setVoiceSyncEngineFactory([this](QObject *parent) {
            engines.append(new ScriptedVoiceSyncEngine(&log, parent));
            return engines.back().data();
        });
    }

    // Starts Voice Sync and lets the engine start.
    ScriptedVoiceSyncEngine *listen()
    {
        model.startVoiceSync();
        engines.back()->finishStart();
        return engines.back();
    }

    QStringList log;
    QList<QPointer<ScriptedVoiceSyncEngine>> engines;
    PrompterViewModel model { distinctScript(), lumetra::testing::idleRecordingEngine() };
};

} // namespace

TEST_F(VoiceSyncModelTest, StartingPausesPlaybackAnchorsAtTheCurrentChunkAndListens)
{
    model.scrollToParagraph(2, false);
    model.play();
    model.startVoiceSync();
    EXPECT_FALSE(model.isPlaying());
    EXPECT_FALSE(model.lastTickDate().has_value());
    EXPECT_EQ(model.voiceSyncParagraphIndex(), 2);
    EXPECT_EQ(model.spokenReadableCharacterCount(), 24);
    EXPECT_TRUE(model.isVoiceSyncEnabled());
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("啟動中...固定速度已暫停"));
    ASSERT_EQ(engines.size(), 1);
    EXPECT_EQ(engines[0]->scriptText, model.scriptText());

    // A second start while one runs does nothing.
    model.startVoiceSync();
    EXPECT_EQ(engines.size(), 1);

    engines[0]->finishStart();
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("測試辨識 監聽中"));
    EXPECT_EQ(log, QStringList { QStringLiteral("start") });
}

TEST_F(VoiceSyncModelTest, AMatchingTranscriptMovesTheSpokenPositionAndScrollsThere)
{
    ScriptedVoiceSyncEngine *engine = listen();
    QSignalSpy scrolls(&model, &PrompterViewModel::scrollAnimationRequested);

    engine->say(distinctCharacters(1, 12));
    EXPECT_EQ(model.voiceSyncTranscript(), distinctCharacters(1, 12));
    EXPECT_EQ(model.spokenReadableCharacterCount(), 24);
    EXPECT_EQ(model.voiceSyncParagraphIndex(), 2); // chunk 1 is read through
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("已對齊第 3 句 · 100%"));
    EXPECT_EQ(model.spokenReadableCount(model.paragraphs()[1]), 12);
    EXPECT_EQ(model.spokenReadableCount(model.paragraphs()[2]), 0);
    ASSERT_EQ(scrolls.size(), 1);
    EXPECT_DOUBLE_EQ(scrolls[0][2].toDouble(), 0.3);
    EXPECT_EQ(scrolls[0][3].value<QEasingCurve::Type>(), QEasingCurve::InOutQuad);
    EXPECT_DOUBLE_EQ(model.scrollOffset(), model.readingContentY(2));

    // Chunk 1 again names the furthest chunk, not the one matched; an empty transcript clears
    // the shown one and moves nothing.
    engine->say(distinctCharacters(1, 12));
    EXPECT_EQ(model.spokenReadableCharacterCount(), 24);
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("已對齊第 3 句 · 100%"));
    engine->say(QString());
    EXPECT_EQ(model.voiceSyncTranscript(), QString());
    EXPECT_EQ(model.voiceSyncStatus(), noMatch);
    EXPECT_EQ(model.spokenReadableCharacterCount(), 24);

    // The engine's restart failure is shown and matched like any transcript; Voice Sync stays on.
    const QString failure = QStringLiteral("Voice Sync 重新啟動失敗：找不到可用的麥克風輸入");
    engine->say(failure, 0);
    EXPECT_EQ(model.voiceSyncTranscript(), failure);
    EXPECT_EQ(model.voiceSyncStatus(), noMatch);
    EXPECT_TRUE(model.isVoiceSyncEnabled());
}

TEST_F(VoiceSyncModelTest, EditsReachTheEngineAndTheAlignment)
{
    ScriptedVoiceSyncEngine *engine = listen();
    const QString edited = distinctCharacters(9, 12) + QStringLiteral("。\n") + distinctScript();
    model.setScriptText(edited);
    EXPECT_EQ(engine->scriptText, edited);
    // The new first chunk is matched, in the window around chunk 0.
    engine->say(distinctCharacters(9, 12));
    EXPECT_EQ(model.spokenReadableCharacterCount(), 12);
}

TEST_F(VoiceSyncModelTest, AFailedStartReportsSwitchesOffAndKeepsThePosition)
{
    model.scrollToParagraph(3, false);
    model.startVoiceSync();
    QPointer<ScriptedVoiceSyncEngine> engine = engines[0];
    engine->finishStart(VoiceSyncError::speechPermissionDenied());
    EXPECT_EQ(model.voiceSyncStatus(), VoiceSyncError::speechPermissionDenied().description());
    EXPECT_FALSE(model.isVoiceSyncEnabled());
    EXPECT_FALSE(model.isVoiceSyncRunning());
    EXPECT_EQ(model.voiceSyncEngine(), nullptr);
    EXPECT_EQ(model.voiceSyncParagraphIndex(), 3);
    EXPECT_EQ(model.spokenReadableCharacterCount(), 36);
    EXPECT_TRUE(QTest::qWaitFor([&] { return engine.isNull(); }, 1000));
    EXPECT_EQ(log, (QStringList { QStringLiteral("start"), QStringLiteral("stop"), QStringLiteral("deleted") }));

    // Without an engine to make, starting says so instead of waiting for ever.
    model.setVoiceSyncEngineFactory(nullptr);
    model.startVoiceSync();
    EXPECT_EQ(model.voiceSyncStatus(), VoiceSyncError::recognizerUnavailable().description());
    EXPECT_FALSE(model.isVoiceSyncEnabled());
}

TEST_F(VoiceSyncModelTest, StoppingResetsAtOnceAndStopsTheEngineAfterwards)
{
    QPointer<ScriptedVoiceSyncEngine> engine = listen();
    engine->say(distinctCharacters(0, 12));
    model.stopVoiceSync();
    EXPECT_FALSE(model.isVoiceSyncEnabled());
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("已停止"));
    EXPECT_EQ(model.voiceSyncTranscript(), QString());
    EXPECT_EQ(model.voiceSyncParagraphIndex(), std::nullopt);
    EXPECT_EQ(model.spokenReadableCharacterCount(), 0);
    EXPECT_EQ(model.spokenReadableCount(model.paragraphs()[0]), 0);
    EXPECT_EQ(log, QStringList { QStringLiteral("start") }); // the engine stops on the next turn

    // An update still on its way changes nothing.
    engine->say(distinctCharacters(1, 12));
    EXPECT_EQ(model.voiceSyncTranscript(), QString());
    EXPECT_EQ(model.spokenReadableCharacterCount(), 0);

    EXPECT_TRUE(QTest::qWaitFor([&] { return engine.isNull(); }, 1000));
    EXPECT_EQ(log, (QStringList { QStringLiteral("start"), QStringLiteral("stop"), QStringLiteral("deleted") }));

    // Stopping while off resets the same way.
    model.setVoiceSyncStatus(QStringLiteral("x"));
    model.stopVoiceSync();
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("已停止"));
}

TEST_F(VoiceSyncModelTest, AStartOvertakenByAStopNeverTouchesANewerRun)
{
    model.startVoiceSync();
    QPointer<ScriptedVoiceSyncEngine> first = engines[0];
    model.stopVoiceSync();
    model.startVoiceSync();
    ASSERT_EQ(engines.size(), 2);

    // The first start answers late, with an error and then (were it asked again) without one.
    first->finishStart(VoiceSyncError::microphonePermissionDenied());
    EXPECT_TRUE(model.isVoiceSyncEnabled());
    EXPECT_TRUE(model.isVoiceSyncRunning());
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("啟動中...固定速度已暫停"));
    EXPECT_EQ(model.voiceSyncEngine(), engines[1].data());

    engines[1]->finishStart();
    EXPECT_EQ(model.voiceSyncStatus(), QStringLiteral("測試辨識 監聽中"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }, 1000));
    EXPECT_FALSE(engines[1].isNull());
}

TEST_F(VoiceSyncModelTest, TheFirstWordsOfARecognitionRunFollowOnFromTheRunBefore)
{
    ScriptedVoiceSyncEngine *engine = listen();
    model.jumpToParagraphForManualControl(2);
    engine->say(distinctCharacters(2, 12), VoiceSyncUpdate::finalConfidence);
    EXPECT_EQ(model.spokenReadableCharacterCount(), 36);
    // The next run starts from nothing; its first four characters are too few on their own but
    // carry on from chunk 2 into chunk 3.
    engine->say(QString());
    engine->say(distinctCharacters(3, 4));
    EXPECT_EQ(model.spokenReadableCharacterCount(), 40);
    EXPECT_EQ(model.voiceSyncParagraphIndex(), 3);

    // Voice Sync switched on again starts with nothing heard: what the last session heard of
    // chunk 3 does not carry the next words on.
    engine->say(distinctCharacters(3, 12), VoiceSyncUpdate::finalConfidence);
    EXPECT_EQ(model.spokenReadableCharacterCount(), 48);
    model.stopVoiceSync();
    engine = listen();
    model.jumpToParagraphForManualControl(4);
    engine->say(distinctCharacters(4, 4));
    EXPECT_EQ(model.spokenReadableCharacterCount(), 48);
    EXPECT_EQ(model.voiceSyncStatus(), noMatch);
}

TEST_F(VoiceSyncModelTest, AStepTowardThePresenterIsCarriedToTheNextUpdate)
{
    // Words pointing two sentences on step the count to the chunk between; the next aside's
    // words, two further on, are weighed from where the presenter was, and move nothing.
    model.setScriptText(lumetra::testing::workflowTalk().join(QLatin1Char('\n')));
    ScriptedVoiceSyncEngine *engine = listen();
    model.jumpToParagraphForManualControl(3);
    const auto sayGrowing = [engine](const QString &words) {
        engine->say(QString());
        for (qsizetype length = 1; length <= words.size(); ++length)
            engine->say(words.left(length));
    };
    sayGrowing(QStringLiteral("我說接著看"));
    ASSERT_EQ(model.voiceSyncParagraphIndex(), 4);
    sayGrowing(QStringLiteral("我說第二步是替"));
    EXPECT_EQ(model.voiceSyncParagraphIndex(), 4);
}
