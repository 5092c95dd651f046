#pragma once

#include <QFileDialog>
#include <QObject>
#include <QPointer>

class QWidget;

namespace lumetra {

class PrompterViewModel;

// The open and save panels, shown while the model asks for them; their results go to the model's
// completions and closing either sets its flag back.
class ScriptFilePanels : public QObject {
    Q_OBJECT
public:
    ScriptFilePanels(PrompterViewModel &model, QWidget *window);

    QFileDialog *openPanel() const { return m_openPanel; }
    QFileDialog *savePanel() const { return m_savePanel; }

signals:
    // The save panel closed: true when it wrote the file.
    void savePanelFinished(bool saved);

private:
    void showOpenPanel();
    void showSavePanel();
    QFileDialog *makePanel(const QString &title);

    PrompterViewModel &m_model;
    QWidget *m_window;
    QPointer<QFileDialog> m_openPanel;
    QPointer<QFileDialog> m_savePanel;
};

} // namespace lumetra
