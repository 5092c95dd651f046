#include "ConsentDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace lumetra {

ConsentDialog::ConsentDialog(QWidget *fallbackParent)
    : m_fallbackParent(fallbackParent)
{
}

QString ConsentDialog::question(PermissionKind kind)
{
    switch (kind) {
    case PermissionKind::microphone:
        return QStringLiteral("要允許 Lumetra 使用麥克風嗎？");
    case PermissionKind::camera:
        return QStringLiteral("要允許 Lumetra 使用相機嗎？");
    case PermissionKind::speech:
        return QStringLiteral("要允許 Lumetra 進行語音辨識嗎？");
    }
    return {};
}

QString ConsentDialog::explanation(PermissionKind kind)
{
    switch (kind) {
    case PermissionKind::microphone:
        return QStringLiteral("Voice Sync 需要聽你的聲音來對齊提詞位置，錄影和錄音也要用到麥克風。");
    case PermissionKind::camera:
        return QStringLiteral("錄影和鏡頭預覽需要相機畫面。");
    case PermissionKind::speech:
        return QStringLiteral("把你正在念的句子和稿件對齊（離線語音辨識，聲音不離開這台電腦）。");
    }
    return {};
}

void ConsentDialog::ask(PermissionKind kind, std::function<void(bool granted)> answer)
{
    QWidget *parent = QApplication::activeWindow() ? QApplication::activeWindow() : m_fallbackParent.data();
    auto *dialog = new QMessageBox(
        QMessageBox::Question, QStringLiteral("Lumetra"), question(kind), QMessageBox::NoButton, parent);
    dialog->setInformativeText(explanation(kind) + QStringLiteral("\n之後可以在「設定」的隱私權中更改。"));
    QPushButton *allow = dialog->addButton(QStringLiteral("允許"), QMessageBox::AcceptRole);
    QPushButton *deny = dialog->addButton(QStringLiteral("不允許"), QMessageBox::RejectRole);
    dialog->setDefaultButton(allow);
    dialog->setEscapeButton(deny);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    // Exactly one answer, also when the dialog goes away without a button (its window closed).
    auto answered = std::make_shared<bool>(false);
    auto reply = [answer, answered](bool granted) {
        if (*answered)
            return;
        *answered = true;
        answer(granted);
    };
    QObject::connect(
        dialog, &QMessageBox::finished, dialog, [dialog, allow, reply] { reply(dialog->clickedButton() == allow); });
    QObject::connect(dialog, &QObject::destroyed, [reply] { reply(false); });
    dialog->open();
}

} // namespace lumetra
