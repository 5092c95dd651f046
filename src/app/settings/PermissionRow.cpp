#include "PermissionRow.h"

#include "TextStyle.h"
#include "recording/ProminentButton.h"
#include "recording/SymbolLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumetra {
namespace {

constexpr int iconFrame = 28;

} // namespace

PermissionRow::PermissionRow(
    const QString &icon, const QString &name, const QString &description, std::function<void()> action, QWidget *parent)
    : QWidget(parent)
    , m_icon(icon)
    , m_action(std::move(action))
    , m_iconLabel(new QLabel(this))
    , m_nameLabel(new QLabel(name, this))
    , m_statusIcon(new QLabel(this))
    , m_statusLabel(new QLabel(this))
    , m_descriptionLabel(new QLabel(description, this))
    , m_button(new QPushButton(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 8);
    layout->setSpacing(14);
    layout->setAlignment(Qt::AlignTop);

    m_iconLabel->setFixedSize(iconFrame, iconFrame);
    m_iconLabel->setAlignment(Qt::AlignCenter);
    showSymbol(m_iconLabel, m_icon, QFontMetrics(textStyleFont(TextStyle::title2)).height(), accentColor());

    auto *text = new QVBoxLayout;
    text->setSpacing(4);
    auto *title = new QHBoxLayout;
    title->setSpacing(8);
    applyTextStyle(m_nameLabel, TextStyle::headline);
    applyTextStyle(m_statusLabel, TextStyle::caption);
    auto *status = new QHBoxLayout;
    status->setSpacing(3);
    status->addWidget(m_statusIcon);
    status->addWidget(m_statusLabel);
    title->addWidget(m_nameLabel);
    title->addLayout(status);
    title->addStretch();
    applyTextStyle(m_descriptionLabel, TextStyle::caption);
    applyTextColor(m_descriptionLabel, secondaryTextColor(palette()));
    m_descriptionLabel->setWordWrap(true);
    text->addLayout(title);
    text->addWidget(m_descriptionLabel);

    layout->addWidget(m_iconLabel, 0, Qt::AlignTop);
    layout->addLayout(text, 1);
    layout->addWidget(m_button, 0, Qt::AlignTop);
    connect(m_button, &QPushButton::clicked, this, [this] {
        if (m_action)
            m_action();
    });
    render();
}

void PermissionRow::setState(PermissionState state)
{
    if (m_state == state)
        return;
    m_state = state;
    render();
}

void PermissionRow::render()
{
    const PermissionStateDisplay shown = display();
    m_statusLabel->setText(shown.statusLabel);
    applyTextColor(m_statusLabel, shown.statusColor);
    showSymbol(m_statusIcon, shown.statusSymbol, m_statusLabel->fontMetrics().height(), shown.statusColor);
    m_button->setText(shown.buttonLabel);
    if (shown.prominentButton)
        makeProminent(m_button);
    else
        makeBordered(m_button);
    m_button->setEnabled(shown.buttonEnabled);
}

} // namespace lumetra
