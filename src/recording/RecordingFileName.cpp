#include "RecordingFileName.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace lumetra {
namespace {

bool isTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink(); // a dangling link still holds the name
}

} // namespace

QString RecordingFileName::forStart(const QDateTime &start, RecordingMode mode)
{
    const QLocale taiwan(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan);
    return taiwan.toString(start.toLocalTime(), QStringLiteral("yyyy-MM-dd_HHmmss")) + QStringLiteral("_Lumetra.")
        + recordingModeFileExtension(mode);
}

QString RecordingFileName::firstFreePath(const QString &directory, const QString &fileName)
{
    const QDir folder(directory);
    QString candidate = folder.filePath(fileName);
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? fileName : fileName.left(dot);
    const QString extension = dot < 0 ? QString() : fileName.mid(dot);
    for (qint64 number = 2; isTaken(candidate); ++number)
        candidate = folder.filePath(stem + QLatin1Char(' ') + QString::number(number) + extension);
    return candidate;
}

} // namespace lumetra
