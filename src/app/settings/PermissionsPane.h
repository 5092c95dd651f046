#pragma once

#include "PermissionKind.h"

#include <QWidget>

class QPushButton;

namespace lumetra {

class PermissionManager;
class PermissionRow;
class PermissionService;
class PrivacyDialog;
class SpeechModelRow;

// The permissions tab: the microphone, speech recognition and camera rows with their states, the
// speech model in use, and a button that reads the states again. Reads them each time it appears.
class PermissionsPane : public QWidget {
    Q_OBJECT
public:
    explicit PermissionsPane(PermissionService &service, QWidget *parent = nullptr);

    PermissionManager *manager() const { return m_manager; }
    PermissionRow *row(PermissionKind kind) const;
    SpeechModelRow *speechModelRow() const { return m_speechModel; }
    QPushButton *refreshButton() const { return m_refreshButton; }
    // The privacy dialog, once a denied row opened it.
    PrivacyDialog *privacyDialog() const { return m_privacyDialog; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void render();
    void openPrivacySettings(const QString &anchor);

    PermissionService &m_service;
    PermissionManager *m_manager;
    PermissionRow *m_microphone = nullptr;
    PermissionRow *m_speech = nullptr;
    PermissionRow *m_camera = nullptr;
    SpeechModelRow *m_speechModel = nullptr;
    QPushButton *m_refreshButton = nullptr;
    PrivacyDialog *m_privacyDialog = nullptr;
};

} // namespace lumetra
