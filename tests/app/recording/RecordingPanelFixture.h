#pragma once

#include "FakeCaptureBackend.h"
#include "FakeDesktopFiles.h"
#include "PermissionService.h"
#include "RecordingEngine.h"
#include "ScriptedConsentPrompter.h"
#include "recording/RecordingControlsView.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace lumetra::testing {

class NothingRestricted final : public SystemAccessProbe {
public:
    bool isRestricted(PermissionKind) const override { return false; }
};

const CameraDevice frontCamera { QStringLiteral("/dev/video0"), QStringLiteral("Front Camera") };
const CameraDevice deskCamera { QStringLiteral("/dev/video2"), QStringLiteral("Desk Camera") };

// The real panel over an engine on the capture double, shown on screen.
class RecordingPanelFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    RecordingControlsView &makePanel(QList<CameraDevice> cameras = { frontCamera, deskCamera });
    void grantCameraAndMicrophone();
    // Presses the record button and waits until the engine records.
    void startRecordingFromPanel();

    static bool waitFor(const std::function<bool()> &condition, int milliseconds = 3000)
    {
        return QTest::qWaitFor(condition, milliseconds);
    }

    QTemporaryDir folder;
    ScriptedConsentPrompter prompter;
    PermissionService permissions { &prompter, std::make_shared<NothingRestricted>() };
    FakeDesktopFiles desktop;
    FakeCaptureBackend *backend = nullptr;
    std::unique_ptr<RecordingEngine> engine;
    std::unique_ptr<RecordingControlsView> panel;
};

} // namespace lumetra::testing
