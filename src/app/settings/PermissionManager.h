#pragma once

#include "PermissionKind.h"
#include "PermissionState.h"

#include <QObject>

namespace lumetra {

class PermissionService;

// The three permissions as the settings window shows them. The states change only by refresh():
// at construction, when the pane appears, after a prompt was answered, and on the refresh button.
class PermissionManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(lumetra::PermissionState microphone READ microphone NOTIFY microphoneChanged)
    Q_PROPERTY(lumetra::PermissionState speech READ speech NOTIFY speechChanged)
    Q_PROPERTY(lumetra::PermissionState camera READ camera NOTIFY cameraChanged)

public:
    explicit PermissionManager(PermissionService &service, QObject *parent = nullptr);

    PermissionState microphone() const { return m_microphone; }
    PermissionState speech() const { return m_speech; }
    PermissionState camera() const { return m_camera; }
    PermissionState state(PermissionKind kind) const;

    // Reads all three statuses; never asks.
    void refresh();

    // Asks only while the state is not determined, then refreshes all three. A denied permission
    // opens the privacy settings at its anchor instead; authorized or restricted do nothing.
    void requestMicrophone() { request(PermissionKind::microphone); }
    void requestCamera() { request(PermissionKind::camera); }
    void requestSpeech() { request(PermissionKind::speech); }
    void request(PermissionKind kind);

signals:
    void microphoneChanged();
    void speechChanged();
    void cameraChanged();
    // After any of the three changed.
    void changed();
    // The privacy settings should open at `anchor` ("Privacy_Microphone", …).
    void privacySettingsRequested(const QString &anchor);

private:
    void store(PermissionState &field, PermissionState value, void (PermissionManager::*notify)());

    PermissionService &m_service;
    PermissionState m_microphone = PermissionState::notDetermined;
    PermissionState m_speech = PermissionState::notDetermined;
    PermissionState m_camera = PermissionState::notDetermined;
};

} // namespace lumetra
