#pragma once

#include "PermissionKind.h"

namespace lumetra {

// Tells whether the system refuses access whatever the user decides ("restricted").
class SystemAccessProbe {
public:
    virtual ~SystemAccessProbe() = default;
    virtual bool isRestricted(PermissionKind kind) const = 0;
};

// The real probe: the camera is restricted when capture device nodes exist but none can be
// opened; the microphone when no audio server socket can be found; speech never.
class LinuxSystemAccessProbe final : public SystemAccessProbe {
public:
    bool isRestricted(PermissionKind kind) const override;
};

} // namespace lumetra
