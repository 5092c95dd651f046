#include "IdleRecordingEngine.h"

#include "FakeCaptureBackend.h"
#include "PermissionService.h"

namespace lumetra::testing {

std::unique_ptr<RecordingEngine> idleRecordingEngine()
{
    // Without a consent prompter every undecided permission is refused, never asked.
    static PermissionService permissions(nullptr);
    return std::make_unique<RecordingEngine>(std::make_unique<FakeCaptureBackend>(), &permissions);
}

} // namespace lumetra::testing
