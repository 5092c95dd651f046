#include "LumetraServices.h"

#include "ConsentDialog.h"
#include "GStreamerCaptureBackend.h"
#include "OfflineSpeechVoiceSyncEngine.h"
#include "SystemDesktopFileServices.h"

namespace lumetra {

LumetraServices LumetraServices::real()
{
    LumetraServices services;
    services.consentPrompter = std::make_unique<ConsentDialog>();
    services.desktopFileServices = std::make_unique<SystemDesktopFileServices>();
    services.makeCaptureBackend = [] { return std::make_unique<GStreamerCaptureBackend>(); };
    services.makeVoiceSyncEngine = [](PermissionService &permissions, QObject *parent) -> VoiceSyncEngine * {
        return OfflineSpeechVoiceSyncEngine::create(&permissions, parent);
    };
    return services;
}

} // namespace lumetra
