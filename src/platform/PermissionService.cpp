#include "PermissionService.h"

#include <QSettings>
#include <QTimer>

namespace lumetra {
namespace {

const QString authorizedValue = QStringLiteral("authorized");
const QString deniedValue = QStringLiteral("denied");

// Hands the answer to `context`'s thread (the main thread) later, never inside request().
void deliver(QObject *context, std::function<void(bool)> completion, bool granted)
{
    QTimer::singleShot(0, context, [completion = std::move(completion), granted] { completion(granted); });
}

} // namespace

PermissionService::PermissionService(ConsentPrompter *prompter, std::shared_ptr<const SystemAccessProbe> probe,
                                     QObject *parent)
    : QObject(parent)
    , m_prompter(prompter)
    , m_probe(probe ? std::move(probe) : std::make_shared<LinuxSystemAccessProbe>())
{
}

QString PermissionService::settingsKey(PermissionKind kind)
{
    return QStringLiteral("Lumetra.permissions.%1.v1").arg(permissionKeyName(kind));
}

PermissionStatus PermissionService::status(PermissionKind kind) const
{
    if (m_probe->isRestricted(kind))
        return PermissionStatus::restricted;
    const QString stored = QSettings().value(settingsKey(kind)).toString();
    if (stored == authorizedValue)
        return PermissionStatus::authorized;
    if (stored == deniedValue)
        return PermissionStatus::denied;
    return PermissionStatus::notDetermined;
}

void PermissionService::request(PermissionKind kind, QObject *context, std::function<void(bool granted)> completion)
{
    const PermissionStatus current = status(kind);
    if (current != PermissionStatus::notDetermined || !m_prompter) {
        deliver(context, std::move(completion), current == PermissionStatus::authorized);
        return;
    }
    QPointer<PermissionService> self(this);
    QPointer<QObject> guardedContext(context);
    m_prompter->ask(kind, [self, guardedContext, kind, completion = std::move(completion)](bool granted) mutable {
        if (self)
            self->setDecision(kind, granted);
        if (guardedContext)
            deliver(guardedContext, std::move(completion), granted);
    });
}

void PermissionService::setDecision(PermissionKind kind, bool granted)
{
    QSettings().setValue(settingsKey(kind), granted ? authorizedValue : deniedValue);
    emit statusChanged(kind);
}

} // namespace lumetra
