#pragma once

#include "ApplicationMenus.h"
#include "ControlWindow.h"
#include "LumetraApp.h"
#include "PrompterViewModel.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace lumetra::testing {

class FakeCaptureBackend;
class ScriptedConsentPrompter;
class ScriptedVoiceSyncEngine;

// Records what the recording engine asks of the desktop.
class RecordedDesktop final : public DesktopFileServices {
public:
    std::optional<QUrl> chooseFolder(const QString &, const QString &, const QUrl &) override { return std::nullopt; }
    void revealFile(const QUrl &file) override { revealed.append(file); }
    QList<QUrl> revealed;
};

// The whole program on test doubles (no camera, a scripted speech engine, consent refused), with
// the control window shown and active and fresh settings.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    PrompterViewModel &model() { return m_app->viewModel(); }
    ControlWindow &window() { return m_app->controlWindow(); }
    LumetraApp &app() { return *m_app; }
    // The engine of the running Voice Sync, once one was made.
    ScriptedVoiceSyncEngine *voiceSyncEngine() const { return m_engine; }
    ScriptedConsentPrompter &consent() const { return *m_consent; }
    FakeCaptureBackend &captureBackend() const { return *m_capture; }
    RecordedDesktop &desktop() const { return *m_desktop; }

    // Gives `widget` the keyboard focus and waits until it has it.
    static void focus(QWidget &widget);
    // A folder that disappears after the test.
    QString temporaryPath(const QString &name) const;

    QStringList engineLog;

private:
    std::unique_ptr<LumetraApp> m_app;
    ScriptedVoiceSyncEngine *m_engine = nullptr;
    ScriptedConsentPrompter *m_consent = nullptr;
    FakeCaptureBackend *m_capture = nullptr;
    RecordedDesktop *m_desktop = nullptr;
    std::unique_ptr<QTemporaryDir> m_folder;
};

} // namespace lumetra::testing
