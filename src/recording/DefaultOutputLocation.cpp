#include "DefaultOutputLocation.h"

#include <QDir>
#include <QStandardPaths>

namespace lumetra {

QUrl DefaultOutputLocation::recordings()
{
    QString base = QStandardPaths::standardLocations(QStandardPaths::MoviesLocation).value(0);
    if (base.isEmpty())
        base = QDir::homePath();
    return QUrl::fromLocalFile(QDir(base).filePath(QStringLiteral("Lumetra")));
}

} // namespace lumetra
