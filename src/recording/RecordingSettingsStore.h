#pragma once

#include "RecordingMode.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace lumetra {

// The recording mode, camera and output folder as text values in the settings store.
class RecordingSettingsStore {
public:
    static const QString modeKey;
    static const QString cameraIDKey;
    static const QString outputDirectoryKey;

    // Missing or unknown text loads as camera and microphone.
    static RecordingMode loadMode();
    static void saveMode(RecordingMode mode);

    // Missing or empty text is no camera.
    static std::optional<QString> loadCameraID();
    // A non-empty identifier is stored; none or empty text removes the key.
    static void saveCameraID(const std::optional<QString> &cameraID);

    // A non-empty path is that folder; missing or empty is the default location.
    static QUrl loadOutputDirectory();
    static void saveOutputDirectory(const QUrl &directory);
};

} // namespace lumetra
