#include "SystemAccessProbe.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <fcntl.h>
#include <unistd.h>

namespace lumetra {
namespace {

bool cameraNodesExistButNoneOpens()
{
    const QStringList nodes = QDir(QStringLiteral("/dev")).entryList({QStringLiteral("video*")}, QDir::System);
    if (nodes.isEmpty())
        return false; // no camera at all is not a refusal
    for (const QString &node : nodes) {
        const int descriptor = ::open(QFile::encodeName(QStringLiteral("/dev/") + node).constData(), O_RDWR | O_NONBLOCK);
        if (descriptor >= 0) {
            ::close(descriptor);
            return false;
        }
    }
    return true;
}

bool noAudioServer()
{
    const QString server = qEnvironmentVariable("PULSE_SERVER");
    if (!server.isEmpty()) {
        if (!server.startsWith(QStringLiteral("unix:")))
            return false; // a network server: reachable as far as we can tell
        return !QFileInfo::exists(server.mid(5));
    }
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        runtime = QStringLiteral("/run/user/%1").arg(::getuid());
    return !QFileInfo::exists(runtime + QStringLiteral("/pulse/native"))
           && !QFileInfo::exists(runtime + QStringLiteral("/pipewire-0"))
           && !QFileInfo::exists(QStringLiteral("/var/run/pulse/native"));
}

} // namespace

bool LinuxSystemAccessProbe::isRestricted(PermissionKind kind) const
{
    switch (kind) {
    case PermissionKind::camera: return cameraNodesExistButNoneOpens();
    case PermissionKind::microphone: return noAudioServer();
    case PermissionKind::speech: return false;
    }
    return false;
}

} // namespace lumetra
