#pragma once

#include "ConsentPrompter.h"
#include "PermissionKind.h"
#include "SystemAccessProbe.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

namespace lumetra {

// The program's own privacy decisions, kept in the settings store under
// "Lumetra.permissions.<kind>.v1" ("authorized" or "denied"). Reading a status never asks;
// a request asks through the ConsentPrompter only while the status is not determined.
class PermissionService : public QObject {
    Q_OBJECT
public:
    // Without a probe the real system is asked what is restricted.
    explicit PermissionService(ConsentPrompter *prompter, std::shared_ptr<const SystemAccessProbe> probe = {},
                               QObject *parent = nullptr);

    PermissionStatus status(PermissionKind kind) const;

    // Calls `completion` once, on the main thread and never before request() returns, with
    // whether the permission is granted; not if `context` is gone by then.
    void request(PermissionKind kind, QObject *context, std::function<void(bool granted)> completion);

    // A decision changed in the privacy dialog.
    void setDecision(PermissionKind kind, bool granted);

    static QString settingsKey(PermissionKind kind);

signals:
    void statusChanged(lumetra::PermissionKind kind);

private:
    ConsentPrompter *m_prompter;
    std::shared_ptr<const SystemAccessProbe> m_probe;
};

} // namespace lumetra
