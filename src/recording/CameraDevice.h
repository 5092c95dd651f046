#pragma once

#include <QString>

namespace lumetra {

// A camera as discovery reports it.
struct CameraDevice {
    QString uniqueID; // stable across runs; what is persisted
    QString localizedName; // what the user sees

    bool operator==(const CameraDevice &) const = default;
};

} // namespace lumetra
