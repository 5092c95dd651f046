// Saves pictures of the recording panel (camera mode with the synthetic camera live, audio only) and
// of the settings window's tabs and privacy dialog, for looking at them. Run by hand:
//   build/bench/app/preview/panel_gallery <folder>
#include "SyntheticCameraPanel.h"
#include "TestSettingsSandbox.h"
#include "settings/PermissionsPane.h"
#include "settings/PrivacyDialog.h"
#include "settings/SettingsView.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include <cstdio>

using namespace lumetra;
using namespace lumetra::bench;

namespace {

bool save(QWidget *widget, const QDir &folder, const QString &name)
{
    runEventsFor(300);
    const QString path = folder.filePath(name);
    const bool saved = widget->grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("LumetraGallery"));
    QApplication::setApplicationName(QStringLiteral("LumetraGallery"));
    lumetra::testing::redirectSettingsToTemporaryFolder();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    bool saved = true;

    SyntheticCameraPanel recording(1280, 720, QStringLiteral("smpte"));
    recording.window->show();
    waitFor([&] { return recording.engine->isPreviewRunning(); });
    runEventsFor(1000);
    saved &= save(recording.window.get(), folder, QStringLiteral("recording-camera.png"));
    // A movie being recorded (the microphone of the test services): the red button and dot.
    recording.engine->startRecording();
    if (waitFor([&] { return recording.engine->isRecording(); })) {
        runEventsFor(1300);
        saved &= save(recording.window.get(), folder, QStringLiteral("recording-running.png"));
        recording.engine->stopRecording();
        waitFor([&] { return !recording.engine->isRecording(); });
    }
    recording.engine->setMode(RecordingMode::audioOnly);
    recording.window->adjustSize();
    saved &= save(recording.window.get(), folder, QStringLiteral("recording-audio-only.png"));

    PermissionService permissions(nullptr, std::make_shared<NothingRestricted>());
    permissions.setDecision(PermissionKind::microphone, true);
    permissions.setDecision(PermissionKind::camera, false);
    SettingsView settings(permissions);
    settings.show();
    saved &= save(&settings, folder, QStringLiteral("settings-permissions.png"));
    settings.tabs()->setCurrentIndex(1);
    saved &= save(&settings, folder, QStringLiteral("settings-about.png"));

    PrivacyDialog privacy(permissions);
    privacy.showAt(privacyAnchor(PermissionKind::camera));
    saved &= save(&privacy, folder, QStringLiteral("privacy-dialog.png"));
    return saved ? 0 : 1;
}
