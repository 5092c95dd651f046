#include "ControlPanelView.h"
#include "ControlWindow.h"
#include "ControlsColumn.h"
#include "EnglishLaunchScript.h"
#include "LiveVoiceSync.h"
#include "LumetraApp.h"
#include "NeverRestrictedProbe.h"
#include "PrompterViewModel.h"
#include "ScriptedConsentPrompter.h"

#include <QCheckBox>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace lumetra::testing {
namespace {

// The program on its real services (capture, offline speech engine, desktop files); only the
// consent questions are answered by the test, with yes.
std::unique_ptr<LumetraApp> realProgram()
{
    QSettings().clear();
    LumetraServices services = LumetraServices::real();
    auto consent = std::make_unique<ScriptedConsentPrompter>();
    consent->answers = { true, true, true, true };
    services.consentPrompter = std::move(consent);
    services.accessProbe = std::make_shared<NeverRestrictedProbe>();
    auto app = std::make_unique<LumetraApp>(std::move(services));
    app->start({});
    return app;
}

TEST(VoiceSyncInTheProgram, TheSampleWithoutAChineseModelSaysTheRecogniserIsUnavailable)
{
    const auto app = realProgram();
    QCheckBox *toggle = app->controlWindow().panel().controls().toggle(QStringLiteral("啟用 Voice Sync"));
    ASSERT_NE(toggle, nullptr);
    toggle->click();
    const PrompterViewModel &model = app->viewModel();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return model.voiceSyncStatus() == QStringLiteral("中文語音辨識器目前不可用"); }, 20000))
        << model.voiceSyncStatus().toStdString();
    EXPECT_FALSE(toggle->isChecked());
}

TEST(VoiceSyncInTheProgram, AnEnglishScriptFollowsTheMicrophone)
{
    const QStringList sentences = englishLaunchSentences();
    const QStringList spoken = sentences.mid(0, 4);
    QTemporaryDir folder;
    const QString speech = folder.filePath(QStringLiteral("speech.wav"));
    ASSERT_TRUE(speakSentencesToWav(spoken, speech)) << "espeak-ng could not speak";

    const auto app = realProgram();
    PrompterViewModel &model = app->viewModel();
    model.setScriptText(scriptOfSentences(sentences));
    QCheckBox *toggle = app->controlWindow().panel().controls().toggle(QStringLiteral("啟用 Voice Sync"));
    toggle->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.voiceSyncStatus().endsWith(QStringLiteral(" 監聽中")); }, 60000))
        << model.voiceSyncStatus().toStdString();
    EXPECT_TRUE(toggle->isChecked());
    QTest::qWait(2500); // the test audio server's first buffer

    QProcess player;
    player.start(QStringLiteral("paplay"), { QStringLiteral("--device=lumetra_sink"), speech });
    ASSERT_TRUE(player.waitForStarted());
    const std::int64_t last = spoken.size() - 1;
    const bool followed = QTest::qWaitFor([&] { return model.voiceSyncParagraphIndex().value_or(-1) >= last; }, 90000);
    player.waitForFinished(30000);
    EXPECT_TRUE(followed) << "reached chunk " << model.voiceSyncParagraphIndex().value_or(-1) << ", transcript "
                          << model.voiceSyncTranscript().toStdString();
    EXPECT_EQ(model.currentParagraphIndex(), model.voiceSyncParagraphIndex().value_or(-1));
    toggle->click();
    EXPECT_FALSE(model.isVoiceSyncEnabled());
}

} // namespace
} // namespace lumetra::testing
