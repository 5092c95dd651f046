#include "ControlWindow.h"

#include "ApplicationMenus.h"
#include "ControlPanelView.h"
#include "PrompterViewModel.h"
#include "ScriptFilePanels.h"
#include "UnsavedWorkGuard.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace lumetra {

namespace {

constexpr QSize minimumWindowSize(920, 640);
constexpr QSize initialWindowSize(1280, 800);

} // namespace

ControlWindow::ControlWindow(PrompterViewModel &model, QWidget *parent)
    : QMainWindow(parent)
    , m_model(model)
    , m_panel(new ControlPanelView(model, this))
    , m_filePanels(new ScriptFilePanels(model, this))
    , m_guard(new UnsavedWorkGuard(model, *m_filePanels, this))
    , m_menus(new ApplicationMenus(model, *m_guard, *this))
{
    setWindowTitle(QStringLiteral("控制台"));
    setMinimumSize(minimumWindowSize);
    // A small screen gets a window that fits it, never one below the minimum.
    QSize size = initialWindowSize;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size()).expandedTo(minimumWindowSize);
    resize(size);
    setCentralWidget(m_panel);
    // "開稿" is the file menu's open command, unsaved-work question included.
    connect(m_panel, &ControlPanelView::openScriptRequested, m_menus->action(QStringLiteral("開啟講稿...")),
        &QAction::trigger);
}

void ControlWindow::closeEvent(QCloseEvent *event)
{
    if (m_isCloseConfirmed || !m_model.isDirty()) {
        QMainWindow::closeEvent(event);
        m_panel->removeKeyEventMonitor();
        emit closed();
        return;
    }
    event->ignore();
    m_guard->confirm([this] {
        m_isCloseConfirmed = true;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    });
}

} // namespace lumetra
