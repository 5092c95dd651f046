#include "ShortcutFieldRow.h"

#include "TextStyles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace lumetra {

namespace {

constexpr int fieldWidth = 54;

} // namespace

ShortcutFieldRow::ShortcutFieldRow(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_field(new QLineEdit(this))
{
    setFont(TextStyles::subheadline());
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(title, this));
    layout->addStretch(1);
    m_field->setFixedWidth(fieldWidth);
    m_field->setAlignment(Qt::AlignCenter);
    m_field->setAccessibleName(title);
    layout->addWidget(m_field);
    connect(m_field, &QLineEdit::textEdited, this, &ShortcutFieldRow::keyEdited);
}

void ShortcutFieldRow::setKey(const QString &key)
{
    const QString shown = key.toUpper();
    if (m_field->text() != shown)
        m_field->setText(shown);
}

} // namespace lumetra
