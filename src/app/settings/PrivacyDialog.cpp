#include "PrivacyDialog.h"

#include "PermissionService.h"
#include "TextStyle.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumetra {
namespace {

constexpr int allowId = 1;
constexpr int denyId = 0;

QString statusText(PermissionStatus status)
{
    switch (status) {
    case PermissionStatus::notDetermined:
        return QStringLiteral("尚未決定：第一次使用時會詢問你");
    case PermissionStatus::authorized:
        return QStringLiteral("目前：允許");
    case PermissionStatus::denied:
        return QStringLiteral("目前：不允許");
    case PermissionStatus::restricted:
        return QStringLiteral("系統限制：這台電腦目前無法提供，與你的決定無關");
    }
    return {};
}

} // namespace

PrivacyDialog::PrivacyDialog(PermissionService &service, QWidget *parent)
    : QDialog(parent)
    , m_service(service)
{
    setWindowTitle(QStringLiteral("隱私權與安全性"));
    setMinimumWidth(460);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(12);
    auto *title = new QLabel(QStringLiteral("Lumetra 的隱私權限"), this);
    applyTextStyle(title, TextStyle::title2, QFont::Bold);
    auto *note = new QLabel(QStringLiteral("這些決定只存在這台電腦上，隨時可以在這裡改變。"), this);
    applyTextStyle(note, TextStyle::callout);
    applyTextColor(note, secondaryTextColor(palette()));
    note->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(note);

    addRow(PermissionKind::microphone, QStringLiteral("麥克風"), QStringLiteral("Voice Sync 與錄影、錄音用"));
    addRow(PermissionKind::speech, QStringLiteral("語音辨識"), QStringLiteral("Voice Sync 在這台電腦上辨識你念的句子"));
    addRow(PermissionKind::camera, QStringLiteral("相機"), QStringLiteral("鏡頭預覽與錄影用"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("關閉"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addStretch();
    layout->addWidget(buttons);
    render();
}

void PrivacyDialog::addRow(PermissionKind kind, const QString &name, const QString &purpose)
{
    Row row;
    row.frame = new QFrame(this);
    row.frame->setObjectName(QStringLiteral("privacyRow"));
    auto *layout = new QHBoxLayout(row.frame);
    layout->setContentsMargins(10, 8, 10, 8);
    auto *text = new QVBoxLayout;
    text->setSpacing(2);
    auto *nameLabel = new QLabel(name, row.frame);
    applyTextStyle(nameLabel, TextStyle::headline);
    auto *purposeLabel = new QLabel(purpose, row.frame);
    applyTextStyle(purposeLabel, TextStyle::caption);
    applyTextColor(purposeLabel, secondaryTextColor(palette()));
    purposeLabel->setWordWrap(true);
    row.status = new QLabel(row.frame);
    applyTextStyle(row.status, TextStyle::caption);
    text->addWidget(nameLabel);
    text->addWidget(purposeLabel);
    text->addWidget(row.status);

    auto *allow = new QRadioButton(QStringLiteral("允許"), row.frame);
    auto *deny = new QRadioButton(QStringLiteral("不允許"), row.frame);
    allow->setAccessibleName(name + QStringLiteral("：允許"));
    deny->setAccessibleName(name + QStringLiteral("：不允許"));
    row.choice = new QButtonGroup(row.frame);
    row.choice->addButton(allow, allowId);
    row.choice->addButton(deny, denyId);
    connect(row.choice, &QButtonGroup::idClicked, this, [this, kind](int id) { decide(kind, id == allowId); });

    layout->addLayout(text, 1);
    layout->addWidget(allow, 0, Qt::AlignVCenter);
    layout->addWidget(deny, 0, Qt::AlignVCenter);
    this->layout()->addWidget(row.frame);
    m_rows.insert(kind, row);
}

QAbstractButton *PrivacyDialog::allowButton(PermissionKind kind) const
{
    return m_rows.value(kind).choice->button(allowId);
}

QAbstractButton *PrivacyDialog::denyButton(PermissionKind kind) const
{
    return m_rows.value(kind).choice->button(denyId);
}

std::optional<PermissionKind> PrivacyDialog::permissionForAnchor(const QString &anchor)
{
    for (const PermissionKind kind : { PermissionKind::microphone, PermissionKind::camera, PermissionKind::speech }) {
        if (privacyAnchor(kind) == anchor)
            return kind;
    }
    return std::nullopt;
}

void PrivacyDialog::showAt(const QString &anchor)
{
    m_marked = permissionForAnchor(anchor);
    render();
    show();
    raise();
    activateWindow();
    if (m_marked) {
        const Row row = m_rows.value(*m_marked);
        QAbstractButton *checked = row.choice->checkedButton();
        (checked ? checked : row.choice->button(allowId))->setFocus(Qt::OtherFocusReason);
    }
}

void PrivacyDialog::render()
{
    for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it) {
        const PermissionStatus status = m_service.status(it.key());
        const Row &row = it.value();
        row.status->setText(statusText(status));
        // An undecided permission has neither choice checked; an exclusive group cannot show that.
        row.choice->setExclusive(false);
        row.choice->button(allowId)->setChecked(status == PermissionStatus::authorized);
        row.choice->button(denyId)->setChecked(status == PermissionStatus::denied);
        row.choice->setExclusive(true);
        for (QAbstractButton *button : row.choice->buttons())
            button->setEnabled(status != PermissionStatus::restricted);
        const bool marked = m_marked == it.key();
        row.frame->setStyleSheet(marked
                ? QStringLiteral("QFrame#privacyRow { border: 2px solid palette(highlight); border-radius: 8px; }")
                : QStringLiteral("QFrame#privacyRow { border: 1px solid palette(midlight); border-radius: 8px; }"));
    }
}

void PrivacyDialog::decide(PermissionKind kind, bool granted)
{
    m_service.setDecision(kind, granted);
    render();
}

} // namespace lumetra
