#include "RecordingPanelFixture.h"

#include "RecordingSettingsStore.h"

#include <QPushButton>
#include <QSettings>

namespace lumetra::testing {

void RecordingPanelFixture::SetUp()
{
    QSettings().clear();
    ASSERT_TRUE(folder.isValid());
    QSettings().setValue(RecordingSettingsStore::outputDirectoryKey, folder.filePath(QStringLiteral("takes")));
}

void RecordingPanelFixture::TearDown()
{
    panel.reset();
    engine.reset();
}

RecordingControlsView &RecordingPanelFixture::makePanel(QList<CameraDevice> cameras)
{
    auto backendOwner = std::make_unique<FakeCaptureBackend>();
    backend = backendOwner.get();
    backend->cameras = std::move(cameras);
    engine = std::make_unique<RecordingEngine>(std::move(backendOwner), &permissions);
    engine->setDesktopFileServices(&desktop);
    panel = std::make_unique<RecordingControlsView>(*engine);
    panel->resize(340, 620);
    panel->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    return *panel;
}

void RecordingPanelFixture::grantCameraAndMicrophone()
{
    permissions.setDecision(PermissionKind::camera, true);
    permissions.setDecision(PermissionKind::microphone, true);
}

void RecordingPanelFixture::startRecordingFromPanel()
{
    panel->recordButton()->click();
    ASSERT_TRUE(waitFor([&] { return engine->isRecording(); })) << engine->statusMessage().toStdString();
}

} // namespace lumetra::testing
