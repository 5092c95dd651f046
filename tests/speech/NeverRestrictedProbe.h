#pragma once

#include "SystemAccessProbe.h"

namespace lumetra::testing {

// A system that refuses nothing, so only the user's decisions count.
class NeverRestrictedProbe final : public SystemAccessProbe {
public:
    bool isRestricted(PermissionKind) const override { return false; }
};

} // namespace lumetra::testing
