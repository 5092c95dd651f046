#pragma once

#include <QStringView>

#include <cstdint>

namespace lumetra {

// Where a chunk's displayed text divides into its spoken and its remaining part: right after
// the `spokenReadableCount`-th character that is a letter or a number (the characters Voice Sync
// counts), so spaces and punctuation after it begin the remaining part. Returns the UTF-16
// offset of the split; the whole text when the count is never reached, 0 for a count ≤ 0.
qsizetype splitDisplayText(QStringView text, std::int64_t spokenReadableCount);

} // namespace lumetra
