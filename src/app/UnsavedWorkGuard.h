#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace lumetra {

class PrompterViewModel;
class ScriptFilePanels;

// Asks before an operation would drop unsaved edits (new script, open, quit): "儲存" saves and
// goes on only once the save succeeded, "不儲存" goes on, "取消" stops.
class UnsavedWorkGuard : public QObject {
    Q_OBJECT
public:
    UnsavedWorkGuard(PrompterViewModel &model, ScriptFilePanels &panels, QWidget *window);

    // Runs `proceed` now when nothing is unsaved, otherwise after the question allows it.
    void confirm(std::function<void()> proceed);
    QMessageBox *question() const { return m_question; }

private:
    void saveThen(const std::function<void()> &proceed);

    PrompterViewModel &m_model;
    ScriptFilePanels &m_panels;
    QWidget *m_window;
    QPointer<QMessageBox> m_question;
    QMetaObject::Connection m_pendingSave;
};

} // namespace lumetra
