#include "PermissionKind.h"

namespace lumetra {

QString permissionKeyName(PermissionKind kind)
{
    switch (kind) {
    case PermissionKind::microphone: return QStringLiteral("microphone");
    case PermissionKind::camera: return QStringLiteral("camera");
    case PermissionKind::speech: return QStringLiteral("speech");
    }
    return {};
}

QString privacyAnchor(PermissionKind kind)
{
    switch (kind) {
    case PermissionKind::microphone: return QStringLiteral("Privacy_Microphone");
    case PermissionKind::camera: return QStringLiteral("Privacy_Camera");
    case PermissionKind::speech: return QStringLiteral("Privacy_SpeechRecognition");
    }
    return {};
}

} // namespace lumetra
