#pragma once

#include <QList>
#include <QString>

namespace lumetra {

// What the next recording captures. The raw value is what is persisted.
enum class RecordingMode { cameraAndMicrophone, audioOnly };

// Every mode, in the order the mode picker shows them.
QList<RecordingMode> allRecordingModes();

// "cameraAndMicrophone", "audioOnly".
QString recordingModeRawValue(RecordingMode mode);

// The mode with this raw value; any other text falls back to camera and microphone.
RecordingMode recordingModeFromRawValue(const QString &rawValue);

// "鏡頭 + 麥克風", "只錄音".
QString recordingModeTitle(RecordingMode mode);

// The symbolic icon name the controls show: "video.fill", "mic.fill".
QString recordingModeSystemImage(RecordingMode mode);

// "mov", "m4a".
QString recordingModeFileExtension(RecordingMode mode);

} // namespace lumetra
