#pragma once

#include "PermissionState.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace lumetra {

// One permission: its symbol, name and purpose, its state as a coloured label, and the button the
// state calls for (request, open the privacy settings, or a disabled one when nothing is to be done).
class PermissionRow : public QWidget {
    Q_OBJECT
public:
    PermissionRow(const QString &icon, const QString &name, const QString &description, std::function<void()> action,
        QWidget *parent = nullptr);

    PermissionState state() const { return m_state; }
    void setState(PermissionState state);

    QString icon() const { return m_icon; }
    QLabel *nameLabel() const { return m_nameLabel; }
    QLabel *statusLabel() const { return m_statusLabel; }
    QLabel *descriptionLabel() const { return m_descriptionLabel; }
    QPushButton *button() const { return m_button; }
    // What the row shows for its state now.
    PermissionStateDisplay display() const { return permissionStateDisplay(m_state); }

private:
    void render();

    QString m_icon;
    std::function<void()> m_action;
    PermissionState m_state = PermissionState::notDetermined;
    QLabel *m_iconLabel;
    QLabel *m_nameLabel;
    QLabel *m_statusIcon;
    QLabel *m_statusLabel;
    QLabel *m_descriptionLabel;
    QPushButton *m_button;
};

} // namespace lumetra
