#include "RecordingError.h"

namespace lumetra {

QString recordingErrorDescription(RecordingError error)
{
    switch (error) {
    case RecordingError::cameraPermissionDenied:
        return QStringLiteral("相機權限未開啟");
    case RecordingError::microphonePermissionDenied:
        return QStringLiteral("麥克風權限未開啟");
    case RecordingError::cameraUnavailable:
        return QStringLiteral("找不到可用的相機");
    case RecordingError::microphoneUnavailable:
        return QStringLiteral("找不到可用的麥克風");
    case RecordingError::cannotAddCameraInput:
        return QStringLiteral("無法加入相機輸入");
    case RecordingError::cannotAddMicrophoneInput:
        return QStringLiteral("無法加入麥克風輸入");
    case RecordingError::cannotAddMovieOutput:
        return QStringLiteral("無法建立錄影輸出");
    case RecordingError::outputDirectoryUnavailable:
        return QStringLiteral("無法建立輸出資料夾");
    case RecordingError::audioRecorderUnavailable:
        return QStringLiteral("無法建立錄音器");
    }
    return {};
}

} // namespace lumetra
