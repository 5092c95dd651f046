#pragma once

#include "PermissionKind.h"

#include <QColor>
#include <QMetaType>
#include <QString>

namespace lumetra {

// A permission as the settings window shows it.
enum class PermissionState { notDetermined, authorized, denied, restricted };

PermissionState permissionStateFromStatus(PermissionStatus status);

// How a row shows a state: its status label, symbol and colour, and its button.
struct PermissionStateDisplay {
    QString statusLabel;
    QString statusSymbol;
    QColor statusColor;
    QString buttonLabel;
    bool prominentButton = false;
    bool buttonEnabled = false;

    bool operator==(const PermissionStateDisplay &) const = default;
};

PermissionStateDisplay permissionStateDisplay(PermissionState state);

} // namespace lumetra

Q_DECLARE_METATYPE(lumetra::PermissionState)
