#pragma once

#include <QWidget>

class QSplitter;

namespace lumetra {

class ControlToolbar;
class ControlsColumn;
class KeyEventMonitor;
class PrompterViewModel;
class ScriptEditorView;
class SectionSidebar;

// The content of the control window: the section sidebar, the toolbar with the document status,
// the script editor and the controls column. Holds the key monitor while it is on screen.
class ControlPanelView : public QWidget {
    Q_OBJECT
public:
    explicit ControlPanelView(PrompterViewModel &model, QWidget *parent = nullptr);
    ~ControlPanelView() override;

    SectionSidebar &sidebar() const { return *m_sidebar; }
    ControlToolbar &toolbar() const { return *m_toolbar; }
    ScriptEditorView &editor() const { return *m_editor; }
    ControlsColumn &controls() const { return *m_controls; }
    KeyEventMonitor &keyEventMonitor() const { return *m_keyEventMonitor; }

    void installKeyEventMonitor();
    void removeKeyEventMonitor();

signals:
    void openPrompterRequested();
    void openScriptRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QWidget *makeEditorColumn();

    PrompterViewModel &m_model;
    KeyEventMonitor *m_keyEventMonitor;
    SectionSidebar *m_sidebar;
    ControlToolbar *m_toolbar;
    ScriptEditorView *m_editor = nullptr;
    ControlsColumn *m_controls;
};

} // namespace lumetra
