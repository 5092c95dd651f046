#pragma once

#include <QString>

namespace lumetra {

// The engine's own failures; the description is the only text the user sees.
enum class RecordingError {
    cameraPermissionDenied,
    microphonePermissionDenied,
    cameraUnavailable,
    microphoneUnavailable,
    cannotAddCameraInput,
    cannotAddMicrophoneInput,
    cannotAddMovieOutput,
    outputDirectoryUnavailable,
    audioRecorderUnavailable,
};

QString recordingErrorDescription(RecordingError error);

} // namespace lumetra
