#pragma once

#include "LumetraServices.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

namespace lumetra {

class ControlWindow;
class PermissionService;
class PrompterViewModel;
class PrompterWindow;
class SettingsView;

// The application: owns the platform services, the one prompter model (made on first use, kept
// for the life of the process) and the control window.
class LumetraApp : public QObject {
    Q_OBJECT
public:
    explicit LumetraApp(LumetraServices services, QObject *parent = nullptr);
    ~LumetraApp() override;

    // Shows the control window; a file path among the arguments (a desktop "open with") is opened.
    void start(const QStringList &arguments);

    PrompterViewModel &viewModel();
    PermissionService &permissions() { return *m_permissions; }
    ControlWindow &controlWindow();

    // The one prompter window: made on first use, raised when asked for again.
    PrompterWindow *showPrompterWindow();
    // The settings window, made on first use.
    SettingsView *showSettingsWindow();

    // The first argument that is not an option, as a local path; empty when there is none.
    static QString scriptPathArgument(const QStringList &arguments);

signals:
    // The control window was closed: the program ends.
    void quitRequested();

private:
    void discoverCameras();

    LumetraServices m_services;
    std::unique_ptr<PermissionService> m_permissions;
    std::unique_ptr<PrompterViewModel> m_viewModel;
    std::unique_ptr<ControlWindow> m_controlWindow;
    QPointer<SettingsView> m_settingsWindow;
    // While start() makes the control window: the cameras are then looked for once it is on screen.
    bool m_isStarting = false;
    bool m_hasDiscoveredCameras = false;
};

} // namespace lumetra
