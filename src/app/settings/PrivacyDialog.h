#pragma once

#include "PermissionKind.h"

#include <QDialog>
#include <QMap>

#include <optional>

class QAbstractButton;
class QButtonGroup;
class QFrame;
class QLabel;

namespace lumetra {

class PermissionService;

// The program's own privacy settings: where a decision about the microphone, speech recognition or
// the camera is changed after the consent dialog was answered. Opened at a permission's anchor
// ("Privacy_Microphone", "Privacy_Camera", "Privacy_SpeechRecognition"), which it marks.
class PrivacyDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrivacyDialog(PermissionService &service, QWidget *parent = nullptr);

    // Shows the dialog (or raises it) with the permission of `anchor` marked and focused; an unknown
    // anchor opens it without a mark.
    void showAt(const QString &anchor);

    // The permission of the anchor it was last opened at.
    std::optional<PermissionKind> markedPermission() const { return m_marked; }
    QAbstractButton *allowButton(PermissionKind kind) const;
    QAbstractButton *denyButton(PermissionKind kind) const;

    static std::optional<PermissionKind> permissionForAnchor(const QString &anchor);

private:
    struct Row {
        QFrame *frame = nullptr;
        QLabel *status = nullptr;
        QButtonGroup *choice = nullptr;
    };

    void addRow(PermissionKind kind, const QString &name, const QString &purpose);
    void render();
    void decide(PermissionKind kind, bool granted);

    PermissionService &m_service;
    QMap<PermissionKind, Row> m_rows;
    std::optional<PermissionKind> m_marked;
};

} // namespace lumetra
