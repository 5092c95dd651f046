#include "LumetraApp.h"

#include "ApplicationMenus.h"
#include "CaptureBackend.h"
#include "ConsentPrompter.h"
#include "ControlPanelView.h"
#include "ControlWindow.h"
#include "DesktopFileServices.h"
#include "FirstExposure.h"
#include "PermissionService.h"
#include "PrompterViewModel.h"
#include "PrompterWindow.h"
#include "RecordingEngine.h"
#include "settings/SettingsView.h"

#include <QTimer>
#include <QUrl>

namespace lumetra {

LumetraApp::LumetraApp(LumetraServices services, QObject *parent)
    : QObject(parent)
    , m_services(std::move(services))
    , m_permissions(std::make_unique<PermissionService>(m_services.consentPrompter.get(), m_services.accessProbe))
{
}

LumetraApp::~LumetraApp()
{
    // Windows go before the model they show.
    PrompterWindow::closeInstance();
    delete m_settingsWindow;
    m_controlWindow.reset();
    m_viewModel.reset();
}

PrompterViewModel &LumetraApp::viewModel()
{
    if (!m_viewModel) {
        // The capture system starts up (and looks for cameras) once the control window is on
        // screen, or on the next turn when the model is used without it.
        auto engine = std::make_unique<RecordingEngine>(
            m_services.makeCaptureBackend(), m_permissions.get(), RecordingEngine::CameraDiscovery::onRequest);
        engine->setDesktopFileServices(m_services.desktopFileServices.get());
        m_viewModel = std::make_unique<PrompterViewModel>(std::move(engine));
        m_viewModel->setVoiceSyncEngineFactory(
            [this](QObject *parent) { return m_services.makeVoiceSyncEngine(*m_permissions, parent); });
        if (!m_isStarting)
            QTimer::singleShot(0, this, [this] { discoverCameras(); });
    }
    return *m_viewModel;
}

ControlWindow &LumetraApp::controlWindow()
{
    if (!m_controlWindow) {
        m_controlWindow = std::make_unique<ControlWindow>(viewModel());
        connect(m_controlWindow.get(), &ControlWindow::closed, this, &LumetraApp::quitRequested);
        connect(
            &m_controlWindow->panel(), &ControlPanelView::openPrompterRequested, this, &LumetraApp::showPrompterWindow);
        m_controlWindow->menus().addSettingsItem([this] { showSettingsWindow(); });
    }
    return *m_controlWindow;
}

PrompterWindow *LumetraApp::showPrompterWindow()
{
    return PrompterWindow::showFor(viewModel());
}

SettingsView *LumetraApp::showSettingsWindow()
{
    if (!m_settingsWindow)
        m_settingsWindow = new SettingsView(*m_permissions);
    m_settingsWindow->show();
    m_settingsWindow->raise();
    m_settingsWindow->activateWindow();
    return m_settingsWindow;
}

void LumetraApp::discoverCameras()
{
    if (m_hasDiscoveredCameras)
        return;
    m_hasDiscoveredCameras = true;
    m_viewModel->recordingEngine().discoverCamerasAndStartPreview();
}

void LumetraApp::start(const QStringList &arguments)
{
    m_isStarting = true;
    ControlWindow &window = controlWindow();
    m_isStarting = false;
    runAfterFirstExposure(window, [this] { discoverCameras(); });
    window.show();
    const QString path = scriptPathArgument(arguments);
    if (!path.isEmpty())
        viewModel().completeScriptImport(QStringList { path });
}

QString LumetraApp::scriptPathArgument(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument.isEmpty() || argument.startsWith(u'-'))
            continue;
        const QUrl url(argument);
        return url.isLocalFile() ? url.toLocalFile() : argument;
    }
    return {};
}

} // namespace lumetra
