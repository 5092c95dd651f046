// A settings file of any bytes gives a valid recording mode, camera and output folder, and what
// was loaded is saved and loaded again unchanged.

#include "FuzzSupport.h"
#include "RecordingSettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

using namespace lumetra;

namespace {

// QSettings keeps a parsed file for a while and may miss a rewrite within the same instant, so
// each input gets a settings file of its own name.
QString useFreshSettingsFile()
{
    static const bool ready = [] {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, fuzz::scratchFolder());
        QCoreApplication::setOrganizationName(QStringLiteral("fuzz"));
        return true;
    }();
    Q_UNUSED(ready);
    static qint64 run = 0;
    QCoreApplication::setApplicationName(QStringLiteral("run%1").arg(++run));
    return QSettings().fileName();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = useFreshSettingsFile();
    QDir().mkpath(QFileInfo(path).absolutePath());
    fuzz::writeFile(path, fuzz::bytesOf(data, size));

    const RecordingMode mode = RecordingSettingsStore::loadMode();
    LUMETRA_FUZZ_CHECK(allRecordingModes().contains(mode));
    const std::optional<QString> camera = RecordingSettingsStore::loadCameraID();
    LUMETRA_FUZZ_CHECK(!camera || !camera->isEmpty());
    const QUrl folder = RecordingSettingsStore::loadOutputDirectory();
    LUMETRA_FUZZ_CHECK(folder.isLocalFile() && !folder.toLocalFile().isEmpty());

    RecordingSettingsStore::saveMode(mode);
    RecordingSettingsStore::saveCameraID(camera);
    RecordingSettingsStore::saveOutputDirectory(folder);
    LUMETRA_FUZZ_CHECK(QSettings().status() == QSettings::NoError);
    LUMETRA_FUZZ_CHECK(RecordingSettingsStore::loadMode() == mode);
    LUMETRA_FUZZ_CHECK(RecordingSettingsStore::loadCameraID() == camera);
    LUMETRA_FUZZ_CHECK(RecordingSettingsStore::loadOutputDirectory() == folder);

    QFile::remove(path);
    return 0;
}
