#pragma once

#include <QWidget>

class QTabWidget;

namespace lumetra {

class AboutPane;
class PermissionService;
class PermissionsPane;

// The settings window: a fixed 540 × 440 window with the tabs "權限" (permissions and the speech
// model) and "關於". It is a window of its own also when given a parent.
class SettingsView : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize fixedSize { 540, 440 };

    explicit SettingsView(PermissionService &permissions, QWidget *parent = nullptr);

    QTabWidget *tabs() const { return m_tabs; }
    PermissionsPane *permissionsPane() const { return m_permissions; }
    AboutPane *aboutPane() const { return m_about; }

private:
    QTabWidget *m_tabs;
    PermissionsPane *m_permissions;
    AboutPane *m_about;
};

} // namespace lumetra
