#pragma once

#include "RecordingEngine.h"

#include <memory>

namespace lumetra::testing {

// A recording engine on a capture platform without cameras that records nothing unless a test
// drives it: what a model needs when recording is not what is tested.
std::unique_ptr<RecordingEngine> idleRecordingEngine();

} // namespace lumetra::testing
