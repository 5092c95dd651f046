#pragma once

#include "CaptureBackend.h"
#include "ConsentPrompter.h"
#include "DesktopFileServices.h"

#include <functional>
#include <memory>

class QObject;

namespace lumetra {

class PermissionService;
class SystemAccessProbe;
class VoiceSyncEngine;

// The platform behind the program: consent questions, the desktop's file services, the capture
// platform and the Voice Sync engine. The program runs on the real ones; tests bring doubles.
struct LumetraServices {
    std::unique_ptr<ConsentPrompter> consentPrompter;
    std::unique_ptr<DesktopFileServices> desktopFileServices;
    std::function<std::unique_ptr<CaptureBackend>()> makeCaptureBackend;
    std::function<VoiceSyncEngine *(PermissionService &permissions, QObject *parent)> makeVoiceSyncEngine;
    // What the system refuses whatever the user says; the real system when none.
    std::shared_ptr<const SystemAccessProbe> accessProbe;

    // The consent dialog, the desktop's folder chooser and file manager, GStreamer capture and the
    // offline speech engine on the default microphone.
    static LumetraServices real();
};

} // namespace lumetra
