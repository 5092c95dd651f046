#include "PermissionsPane.h"

#include "PermissionManager.h"
#include "PermissionRow.h"
#include "PrivacyDialog.h"
#include "SpeechModelRow.h"
#include "TextStyle.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lumetra {

PermissionsPane::PermissionsPane(PermissionService &service, QWidget *parent)
    : QWidget(parent)
    , m_service(service)
    , m_manager(new PermissionManager(service, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 28, 28, 28);
    layout->setSpacing(16);

    auto *header = new QVBoxLayout;
    header->setSpacing(4);
    auto *title = new QLabel(QStringLiteral("系統權限"), this);
    applyTextStyle(title, TextStyle::title2, QFont::Bold);
    auto *note = new QLabel(
        QStringLiteral("在這裡一鍵申請 Voice Sync 與未來內建錄影需要的系統權限，省得自己翻系統設定。"), this);
    applyTextStyle(note, TextStyle::callout);
    applyTextColor(note, secondaryTextColor(palette()));
    note->setWordWrap(true);
    header->addWidget(title);
    header->addWidget(note);
    layout->addLayout(header);

    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    layout->addWidget(divider);

    // The rows sit closer to one another than the pane's sections do.
    auto *rows = new QVBoxLayout;
    rows->setSpacing(0);
    m_microphone = new PermissionRow(
        QStringLiteral("mic.fill"), QStringLiteral("麥克風"), QStringLiteral("Voice Sync 需要聽你的聲音來對齊提詞位置"),
        [this] { m_manager->requestMicrophone(); }, this);
    m_speech = new PermissionRow(
        QStringLiteral("waveform"), QStringLiteral("語音辨識"),
        QStringLiteral("把你正在念的句子和稿件對齊（離線語音辨識 zh-TW）"), [this] { m_manager->requestSpeech(); },
        this);
    m_camera = new PermissionRow(
        QStringLiteral("video.fill"), QStringLiteral("相機（未來內建錄影用）"),
        QStringLiteral("之後的「提詞 + 同步錄影」功能會用到，現在可以先預先授權"),
        [this] { m_manager->requestCamera(); }, this);
    m_speechModel = new SpeechModelRow(this);
    rows->addWidget(m_microphone);
    rows->addWidget(m_speech);
    // Under the speech row, lined up with its text.
    auto *model = new QHBoxLayout;
    model->setContentsMargins(28 + 14, 0, 0, 6);
    model->addWidget(m_speechModel);
    rows->addLayout(model);
    rows->addWidget(m_camera);
    layout->addLayout(rows);
    layout->addStretch();

    auto *footer = new QHBoxLayout;
    m_refreshButton = new QPushButton(QStringLiteral("重新整理狀態"), this);
    auto *footnote
        = new QLabel(QStringLiteral("授權對話框只會在「未授權」狀態出現一次；已拒絕的話會跳到系統設定。"), this);
    applyTextStyle(footnote, TextStyle::caption2);
    applyTextColor(footnote, tertiaryTextColor(palette()));
    footnote->setWordWrap(true);
    footnote->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    footer->addWidget(m_refreshButton);
    footer->addStretch();
    footer->addWidget(footnote, 1);
    layout->addLayout(footer);

    connect(m_refreshButton, &QPushButton::clicked, m_manager, &PermissionManager::refresh);
    connect(m_manager, &PermissionManager::changed, this, &PermissionsPane::render);
    connect(m_manager, &PermissionManager::privacySettingsRequested, this, &PermissionsPane::openPrivacySettings);
    render();
}

PermissionRow *PermissionsPane::row(PermissionKind kind) const
{
    switch (kind) {
    case PermissionKind::microphone:
        return m_microphone;
    case PermissionKind::speech:
        return m_speech;
    case PermissionKind::camera:
        return m_camera;
    }
    return nullptr;
}

void PermissionsPane::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Appearing again (a tab switch, the window reopened) reads what may have changed meanwhile.
    if (!event->spontaneous()) {
        m_manager->refresh();
        m_speechModel->refresh();
    }
}

void PermissionsPane::render()
{
    m_microphone->setState(m_manager->microphone());
    m_speech->setState(m_manager->speech());
    m_camera->setState(m_manager->camera());
}

void PermissionsPane::openPrivacySettings(const QString &anchor)
{
    if (!m_privacyDialog)
        m_privacyDialog = new PrivacyDialog(m_service, this);
    m_privacyDialog->showAt(anchor);
}

} // namespace lumetra
