#pragma once

#include "VoiceSyncAligner.h"

namespace lumetra::testing {

// The aligner with its search changed by `change`, to show what a rule of the search does.
template <typename Change>
VoiceSyncAligner withSearch(const ScriptChunkIndex &chunks, Change change)
{
    VoiceSyncAligner aligner(chunks);
    RecoverySearch search;
    change(search);
    aligner.setRecoverySearch(search);
    return aligner;
}

} // namespace lumetra::testing
