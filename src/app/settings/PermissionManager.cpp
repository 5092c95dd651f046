#include "PermissionManager.h"

#include "PermissionService.h"

namespace lumetra {

PermissionManager::PermissionManager(PermissionService &service, QObject *parent)
    : QObject(parent)
    , m_service(service)
{
    refresh();
}

PermissionState PermissionManager::state(PermissionKind kind) const
{
    switch (kind) {
    case PermissionKind::microphone:
        return m_microphone;
    case PermissionKind::speech:
        return m_speech;
    case PermissionKind::camera:
        return m_camera;
    }
    return PermissionState::notDetermined;
}

void PermissionManager::refresh()
{
    const auto read = [this](PermissionKind kind) { return permissionStateFromStatus(m_service.status(kind)); };
    const PermissionState microphone = read(PermissionKind::microphone);
    const PermissionState camera = read(PermissionKind::camera);
    const PermissionState speech = read(PermissionKind::speech);
    store(m_microphone, microphone, &PermissionManager::microphoneChanged);
    store(m_camera, camera, &PermissionManager::cameraChanged);
    store(m_speech, speech, &PermissionManager::speechChanged);
}

void PermissionManager::request(PermissionKind kind)
{
    switch (state(kind)) {
    case PermissionState::denied:
        // No prompt comes again once refused: the decision can only be changed in the privacy settings.
        emit privacySettingsRequested(privacyAnchor(kind));
        return;
    case PermissionState::authorized:
    case PermissionState::restricted:
        return;
    case PermissionState::notDetermined:
        break;
    }
    m_service.request(kind, this, [this](bool) { refresh(); });
}

void PermissionManager::store(PermissionState &field, PermissionState value, void (PermissionManager::*notify)())
{
    if (field == value)
        return;
    field = value;
    emit(this->*notify)();
    emit changed();
}

} // namespace lumetra
