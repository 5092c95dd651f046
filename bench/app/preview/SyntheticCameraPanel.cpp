#include "SyntheticCameraPanel.h"

#include "GStreamerCaptureBackend.h"
#include "RecordingSettingsStore.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>

namespace lumetra::bench {

SyntheticCameraPanel::SyntheticCameraPanel(int width, int height, const QString &pattern)
{
    QSettings().setValue(RecordingSettingsStore::outputDirectoryKey, folder.path());
    QSettings().setValue(RecordingSettingsStore::modeKey, recordingModeRawValue(RecordingMode::cameraAndMicrophone));
    permissions.setDecision(PermissionKind::camera, true);
    permissions.setDecision(PermissionKind::microphone, true);
    GStreamerCaptureBackend::Options options;
    options.cameras = QList<GStreamerCaptureBackend::SyntheticCamera> {
        { { QStringLiteral("synthetic:0"), QStringLiteral("Synthetic Camera") },
            QStringLiteral("videotestsrc is-live=true pattern=%1 ! capsfilter "
                           "caps=video/x-raw,width=%2,height=%3,framerate=30/1")
                .arg(pattern)
                .arg(width)
                .arg(height) }
    };
    engine = std::make_unique<RecordingEngine>(std::make_unique<GStreamerCaptureBackend>(options), &permissions);
    window = std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("控制台"));
    auto *layout = new QVBoxLayout(window.get());
    panel = new RecordingControlsView(*engine, window.get());
    layout->addWidget(panel);
    layout->addStretch();
    window->resize(340, 600);
}

bool waitFor(const std::function<bool()> &condition, int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        runEventsFor(1);
    }
    return true;
}

void runEventsFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace lumetra::bench
