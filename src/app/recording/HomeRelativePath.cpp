#include "HomeRelativePath.h"

#include <QDir>

namespace lumetra {

QString homeRelativePath(const QString &path, const QString &homeFolder)
{
    QString home = QDir::cleanPath(homeFolder);
    if (home.isEmpty() || home == QStringLiteral("/"))
        return path;
    if (path == home)
        return QStringLiteral("~");
    if (path.startsWith(home + QLatin1Char('/')))
        return QStringLiteral("~") + path.mid(home.size());
    return path;
}

QString homeRelativePath(const QString &path)
{
    return homeRelativePath(path, QDir::homePath());
}

} // namespace lumetra
