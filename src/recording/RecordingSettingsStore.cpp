#include "RecordingSettingsStore.h"

#include "DefaultOutputLocation.h"

#include <QSettings>

namespace lumetra {

const QString RecordingSettingsStore::modeKey = QStringLiteral("Lumetra.recording.mode.v1");
const QString RecordingSettingsStore::cameraIDKey = QStringLiteral("Lumetra.recording.cameraID.v1");
const QString RecordingSettingsStore::outputDirectoryKey = QStringLiteral("Lumetra.recording.outputDirectory.v1");

RecordingMode RecordingSettingsStore::loadMode()
{
    return recordingModeFromRawValue(QSettings().value(modeKey).toString());
}

void RecordingSettingsStore::saveMode(RecordingMode mode)
{
    QSettings().setValue(modeKey, recordingModeRawValue(mode));
}

std::optional<QString> RecordingSettingsStore::loadCameraID()
{
    const QString stored = QSettings().value(cameraIDKey).toString();
    if (stored.isEmpty())
        return std::nullopt;
    return stored;
}

void RecordingSettingsStore::saveCameraID(const std::optional<QString> &cameraID)
{
    QSettings settings;
    if (cameraID && !cameraID->isEmpty())
        settings.setValue(cameraIDKey, *cameraID);
    else
        settings.remove(cameraIDKey);
}

QUrl RecordingSettingsStore::loadOutputDirectory()
{
    const QString path = QSettings().value(outputDirectoryKey).toString();
    if (path.isEmpty())
        return DefaultOutputLocation::recordings();
    return QUrl::fromLocalFile(path);
}

void RecordingSettingsStore::saveOutputDirectory(const QUrl &directory)
{
    QSettings().setValue(outputDirectoryKey, directory.toLocalFile());
}

} // namespace lumetra
