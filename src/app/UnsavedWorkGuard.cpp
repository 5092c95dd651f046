#include "UnsavedWorkGuard.h"

#include "PrompterViewModel.h"
#include "ScriptFilePanels.h"

#include <QMessageBox>
#include <QPushButton>

namespace lumetra {

UnsavedWorkGuard::UnsavedWorkGuard(PrompterViewModel &model, ScriptFilePanels &panels, QWidget *window)
    : QObject(window)
    , m_model(model)
    , m_panels(panels)
    , m_window(window)
{
}

void UnsavedWorkGuard::confirm(std::function<void()> proceed)
{
    if (!m_model.isDirty()) {
        proceed();
        return;
    }
    if (m_question) { // one question at a time
        m_question->raise();
        return;
    }
    m_question = new QMessageBox(QMessageBox::Warning, QStringLiteral("Lumetra"),
        QStringLiteral("要儲存目前講稿的變更嗎？"), QMessageBox::NoButton, m_window);
    m_question->setInformativeText(m_model.documentTitle());
    QPushButton *save = m_question->addButton(QStringLiteral("儲存"), QMessageBox::AcceptRole);
    QPushButton *discard = m_question->addButton(QStringLiteral("不儲存"), QMessageBox::DestructiveRole);
    QPushButton *cancel = m_question->addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    m_question->setDefaultButton(save);
    m_question->setEscapeButton(cancel);
    m_question->setAttribute(Qt::WA_DeleteOnClose);
    m_question->setWindowModality(Qt::WindowModal);
    QMessageBox *question = m_question;
    connect(question, &QMessageBox::finished, this, [this, question, save, discard, proceed] {
        const QAbstractButton *answer = question->clickedButton();
        if (answer == save)
            saveThen(proceed);
        else if (answer == discard)
            proceed();
    });
    m_question->open();
}

void UnsavedWorkGuard::saveThen(const std::function<void()> &proceed)
{
    if (!m_model.currentFileURL().isEmpty()) {
        m_model.saveScript();
        if (!m_model.isDirty()) // a failed write said why in the status line and stops here
            proceed();
        return;
    }
    // No file yet: the save panel decides.
    disconnect(m_pendingSave);
    m_pendingSave = connect(&m_panels, &ScriptFilePanels::savePanelFinished, this, [this, proceed](bool saved) {
        disconnect(m_pendingSave);
        if (saved)
            proceed();
    });
    m_model.saveScript();
}

} // namespace lumetra
