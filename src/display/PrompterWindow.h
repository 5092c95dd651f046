#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QAction;

namespace lumetra {

class PrompterDisplayView;
class PrompterViewModel;

// The one prompter window ("Prompter"): the display view filling a top-level window that
// remembers its screen and geometry between runs and goes full screen on the screen it is on
// (F11 or its context menu; Esc leaves full screen). Asking for it again raises it.
class PrompterWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int defaultWidth = 1280;
    static constexpr int defaultHeight = 720;
    // Where the window's geometry and screen are kept.
    static QString geometrySettingsKey();

    // Shows the prompter window for `model`, creating it on first use; an open one is raised
    // and activated instead. The window deletes itself when closed.
    static PrompterWindow *showFor(PrompterViewModel &model);
    // The open prompter window, if any.
    static PrompterWindow *instance();
    // Closes and deletes the open window at once (for a test's clean slate).
    static void closeInstance();

    PrompterDisplayView *displayView() const { return m_view; }
    QAction *fullScreenAction() const { return m_fullScreenAction; }
    void toggleFullScreen();

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    explicit PrompterWindow(PrompterViewModel &model);
    void restorePlacement();
    void savePlacement();

    PrompterDisplayView *m_view = nullptr;
    QAction *m_fullScreenAction = nullptr;
    QAction *m_leaveFullScreenAction = nullptr;
    // Moves and resizes come in bursts while the user drags; the placement is saved once the
    // burst is over.
    QTimer m_saveDelay;
    bool m_restoring = false;

    static QPointer<PrompterWindow> s_instance;
};

} // namespace lumetra
