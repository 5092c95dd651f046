#pragma once

#include <gst/gst.h>

#include <QString>

#include <optional>

namespace lumetra {

// The frame size and encoding a camera is opened with.
struct CameraFormat {
    int width = 0;
    int height = 0;
    bool isJpeg = false; // the camera sends JPEG frames that must be decoded

    bool operator==(const CameraFormat &) const = default;

    // 1920×1080 if the camera offers it, else 1280×720, else its largest size. At each size raw frames
    // at 24 fps or more come first, then JPEG at that rate, then whatever rate there is. None when
    // the camera offers no video the pipeline can take.
    static std::optional<CameraFormat> choose(const GstCaps *offered);

    // The caps that hold the camera to this format.
    QString capsText() const;
};

} // namespace lumetra
