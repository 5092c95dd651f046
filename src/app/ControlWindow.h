#pragma once

#include <QMainWindow>

namespace lumetra {

class ApplicationMenus;
class ControlPanelView;
class PrompterViewModel;
class ScriptFilePanels;
class UnsavedWorkGuard;

// The control window ("控制台"): the control panel, the menus, the file panels, and the question
// about unsaved work before New, Open and closing.
class ControlWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ControlWindow(PrompterViewModel &model, QWidget *parent = nullptr);

    ControlPanelView &panel() const { return *m_panel; }
    ApplicationMenus &menus() const { return *m_menus; }
    ScriptFilePanels &filePanels() const { return *m_filePanels; }
    UnsavedWorkGuard &unsavedWorkGuard() const { return *m_guard; }

signals:
    // The window has closed for good (after any question about unsaved work).
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    PrompterViewModel &m_model;
    ControlPanelView *m_panel;
    ScriptFilePanels *m_filePanels;
    UnsavedWorkGuard *m_guard;
    ApplicationMenus *m_menus;
    bool m_isCloseConfirmed = false;
};

} // namespace lumetra
