#pragma once

#include "PermissionService.h"
#include "RecordingEngine.h"
#include "recording/RecordingControlsView.h"

#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <memory>

namespace lumetra::bench {

class NothingRestricted final : public SystemAccessProbe {
public:
    bool isRestricted(PermissionKind) const override { return false; }
};

// The recording panel in a window as wide as the control window's column, over the real capture
// platform with a synthetic 30 frames-per-second camera of the given size, recording into a
// temporary folder. Camera and microphone access are granted. `pattern` is videotestsrc's.
struct SyntheticCameraPanel {
    SyntheticCameraPanel(int width, int height, const QString &pattern = QStringLiteral("ball"));

    QTemporaryDir folder;
    PermissionService permissions { nullptr, std::make_shared<NothingRestricted>() };
    std::unique_ptr<RecordingEngine> engine;
    std::unique_ptr<QWidget> window;
    RecordingControlsView *panel = nullptr;
};

// Runs the event loop without spinning until `condition` holds; false after `milliseconds`.
bool waitFor(const std::function<bool()> &condition, int milliseconds = 10000);
void runEventsFor(int milliseconds);

} // namespace lumetra::bench
