#include "PrompterWindow.h"

#include "PrompterDisplayView.h"
#include "PrompterViewModel.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>

namespace lumetra {

QPointer<PrompterWindow> PrompterWindow::s_instance;

QString PrompterWindow::geometrySettingsKey()
{
    return QStringLiteral("Lumetra.prompterWindow.geometry.v1");
}

PrompterWindow *PrompterWindow::showFor(PrompterViewModel &model)
{
    if (!s_instance) {
        s_instance = new PrompterWindow(model);
        s_instance->show();
    } else {
        if (s_instance->isMinimized())
            s_instance->showNormal();
        s_instance->show();
    }
    s_instance->raise();
    s_instance->activateWindow();
    return s_instance;
}

PrompterWindow *PrompterWindow::instance()
{
    return s_instance;
}

void PrompterWindow::closeInstance()
{
    if (!s_instance)
        return;
    PrompterWindow *window = s_instance;
    window->close();
    delete window;
}

PrompterWindow::PrompterWindow(PrompterViewModel &model)
    : QWidget(nullptr, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Prompter"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new PrompterDisplayView(model, this);
    layout->addWidget(m_view);

    m_fullScreenAction = new QAction(QStringLiteral("全螢幕"), this);
    m_fullScreenAction->setCheckable(true);
    m_fullScreenAction->setShortcut(QKeySequence(Qt::Key_F11));
    m_fullScreenAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_fullScreenAction, &QAction::triggered, this, &PrompterWindow::toggleFullScreen);
    addAction(m_fullScreenAction);

    m_leaveFullScreenAction = new QAction(QStringLiteral("離開全螢幕"), this);
    m_leaveFullScreenAction->setShortcut(QKeySequence(Qt::Key_Escape));
    m_leaveFullScreenAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_leaveFullScreenAction, &QAction::triggered, this, [this] {
        if (isFullScreen())
            toggleFullScreen();
    });
    addAction(m_leaveFullScreenAction);

    // The window shows the model and nothing else: should the model go first (at the end of the
    // process), the window goes with it rather than outlive what it shows.
    connect(&model, &QObject::destroyed, this, [this] {
        savePlacement();
        delete this;
    });

    m_saveDelay.setSingleShot(true);
    m_saveDelay.setInterval(400);
    connect(&m_saveDelay, &QTimer::timeout, this, &PrompterWindow::savePlacement);

    restorePlacement();
}

void PrompterWindow::restorePlacement()
{
    m_restoring = true;
    const QByteArray stored = QSettings().value(geometrySettingsKey()).toByteArray();
    // A stored placement on a screen that is gone is put back on a screen that is there.
    if (stored.isEmpty() || !restoreGeometry(stored))
        resize(defaultWidth, defaultHeight);
    m_restoring = false;
}

void PrompterWindow::savePlacement()
{
    if (m_restoring)
        return;
    QSettings().setValue(geometrySettingsKey(), saveGeometry());
}

void PrompterWindow::toggleFullScreen()
{
    // Full screen happens on the screen the window is on now.
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void PrompterWindow::closeEvent(QCloseEvent *event)
{
    m_saveDelay.stop();
    savePlacement();
    QWidget::closeEvent(event);
}

void PrompterWindow::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(m_fullScreenAction);
    menu.exec(event->globalPos());
}

void PrompterWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (isVisible())
        m_saveDelay.start();
}

void PrompterWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isVisible())
        m_saveDelay.start();
}

void PrompterWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        m_fullScreenAction->setChecked(isFullScreen());
        m_saveDelay.start();
    }
}

} // namespace lumetra
