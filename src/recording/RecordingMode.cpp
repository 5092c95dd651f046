#include "RecordingMode.h"

namespace lumetra {

QList<RecordingMode> allRecordingModes()
{
    return { RecordingMode::cameraAndMicrophone, RecordingMode::audioOnly };
}

QString recordingModeRawValue(RecordingMode mode)
{
    switch (mode) {
    case RecordingMode::cameraAndMicrophone:
        return QStringLiteral("cameraAndMicrophone");
    case RecordingMode::audioOnly:
        return QStringLiteral("audioOnly");
    }
    return {};
}

RecordingMode recordingModeFromRawValue(const QString &rawValue)
{
    return rawValue == recordingModeRawValue(RecordingMode::audioOnly) ? RecordingMode::audioOnly
                                                                       : RecordingMode::cameraAndMicrophone;
}

QString recordingModeTitle(RecordingMode mode)
{
    switch (mode) {
    case RecordingMode::cameraAndMicrophone:
        return QStringLiteral("鏡頭 + 麥克風");
    case RecordingMode::audioOnly:
        return QStringLiteral("只錄音");
    }
    return {};
}

QString recordingModeSystemImage(RecordingMode mode)
{
    switch (mode) {
    case RecordingMode::cameraAndMicrophone:
        return QStringLiteral("video.fill");
    case RecordingMode::audioOnly:
        return QStringLiteral("mic.fill");
    }
    return {};
}

QString recordingModeFileExtension(RecordingMode mode)
{
    switch (mode) {
    case RecordingMode::cameraAndMicrophone:
        return QStringLiteral("mov");
    case RecordingMode::audioOnly:
        return QStringLiteral("m4a");
    }
    return {};
}

} // namespace lumetra
