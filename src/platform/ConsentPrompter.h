#pragma once

#include "PermissionKind.h"

#include <functional>

namespace lumetra {

// Asks the user for a permission. The application shows a consent dialog; tests answer from a
// script. `answer` is called exactly once, on the main thread, with the user's decision.
class ConsentPrompter {
public:
    virtual ~ConsentPrompter() = default;
    virtual void ask(PermissionKind kind, std::function<void(bool granted)> answer) = 0;
};

} // namespace lumetra
