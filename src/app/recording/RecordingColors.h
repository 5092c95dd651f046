#pragma once

#include <QColor>

namespace lumetra {

// The red of a running recording: the record button, the badge's dot, the status icon.
inline QColor recordingRed()
{
    return QColor(0xE5, 0x39, 0x35);
}

} // namespace lumetra
