#pragma once

#include <QObject>

#include <functional>

class QAction;
class QKeySequence;
class QMenu;
class QMainWindow;

namespace lumetra {

class PrompterViewModel;
class UnsavedWorkGuard;

// The menu bar of the control window: the file menu, "播放" and "錄影", with their key
// equivalents (application-wide, so they also serve the prompter window) and labels that follow
// the model and the recording engine.
class ApplicationMenus : public QObject {
    Q_OBJECT
public:
    ApplicationMenus(PrompterViewModel &model, UnsavedWorkGuard &guard, QMainWindow &window);

    // The action with this menu text (as shown now), or none.
    QAction *action(const QString &text) const;
    // Adds "設定..." (the settings shortcut) to the file menu, calling `open`.
    void addSettingsItem(std::function<void()> open);

private:
    void addFileMenu();
    void addPlaybackMenu();
    void addRecordingMenu();
    QAction *addAction(QMenu *menu, const QString &text, const QKeySequence &key);

    PrompterViewModel &m_model;
    UnsavedWorkGuard &m_guard;
    QMainWindow &m_window;
    QMenu *m_fileMenu = nullptr;
    QAction *m_fileMenuEnd = nullptr;
};

} // namespace lumetra
