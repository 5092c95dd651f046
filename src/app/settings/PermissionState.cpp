#include "PermissionState.h"

namespace lumetra {
namespace {

const QColor orange(0xE8, 0x86, 0x0C);
const QColor green(0x2E, 0x9E, 0x44);
const QColor red(0xD9, 0x36, 0x2B);

} // namespace

PermissionState permissionStateFromStatus(PermissionStatus status)
{
    switch (status) {
    case PermissionStatus::authorized:
        return PermissionState::authorized;
    case PermissionStatus::denied:
        return PermissionState::denied;
    case PermissionStatus::restricted:
        return PermissionState::restricted;
    case PermissionStatus::notDetermined:
        return PermissionState::notDetermined;
    }
    return PermissionState::notDetermined;
}

PermissionStateDisplay permissionStateDisplay(PermissionState state)
{
    switch (state) {
    case PermissionState::notDetermined:
        return { QStringLiteral("未授權"), QStringLiteral("exclamationmark.circle"), orange, QStringLiteral("請求權限"),
            true, true };
    case PermissionState::authorized:
        return { QStringLiteral("已允許"), QStringLiteral("checkmark.circle.fill"), green, QStringLiteral("已授權"),
            false, false };
    case PermissionState::denied:
        return { QStringLiteral("已拒絕"), QStringLiteral("xmark.circle.fill"), red, QStringLiteral("開啟系統設定"),
            false, true };
    case PermissionState::restricted:
        return { QStringLiteral("系統限制"), QStringLiteral("lock.fill"), red, QStringLiteral("系統限制"), false,
            false };
    }
    return permissionStateDisplay(PermissionState::notDetermined);
}

} // namespace lumetra
