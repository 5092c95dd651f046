#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace lumetra {

class PrompterViewModel;

// The application-wide key hook of the single-key shortcuts: sees every key press of every window
// before the focused widget does. Text input keeps its keys; Ctrl, Alt and Meta combinations pass;
// otherwise the key, lower-cased, goes to handlePlainShortcut and is swallowed when taken. Page
// Down and Page Up (clickers and foot pedals) move to the next and previous sentence.
class KeyEventMonitor : public QObject {
    Q_OBJECT
public:
    explicit KeyEventMonitor(PrompterViewModel &model, QObject *parent = nullptr);
    ~KeyEventMonitor() override;

    // One filter at most: installing twice keeps the one.
    void install();
    void remove();
    bool isInstalled() const { return m_isInstalled; }

    // Whether a key press is left alone because a text input widget has it.
    static bool isTextInput(const QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleKeyPress(const QKeyEvent &event);

    PrompterViewModel &m_model;
    bool m_isInstalled = false;
};

} // namespace lumetra
