#include "SegmentedPicker.h"

#include "SymbolIcon.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

namespace lumetra {

SegmentedPicker::SegmentedPicker(QWidget *parent)
    : QWidget(parent)
    , m_group(new QButtonGroup(this))
    , m_layout(new QHBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, &SegmentedPicker::picked);
    connect(m_group, &QButtonGroup::idToggled, this, &SegmentedPicker::tintSymbols);
}

void SegmentedPicker::addSegment(int id, const QString &title, const QString &symbol)
{
    auto *button = new QToolButton(this);
    button->setText(title);
    button->setProperty("symbol", symbol);
    button->setCheckable(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_group->addButton(button, id);
    m_layout->addWidget(button);
    styleSegments();
    tintSymbols();
}

int SegmentedPicker::currentId() const
{
    return m_group->checkedId();
}

void SegmentedPicker::setCurrentId(int id)
{
    if (QAbstractButton *button = m_group->button(id))
        button->setChecked(true);
}

QAbstractButton *SegmentedPicker::segment(int id) const
{
    return m_group->button(id);
}

int SegmentedPicker::count() const
{
    return int(m_group->buttons().size());
}

void SegmentedPicker::tintSymbols()
{
    for (QAbstractButton *button : m_group->buttons()) {
        const QString symbol = button->property("symbol").toString();
        button->setIcon(
            button->isChecked() ? symbolIcon(symbol, palette().color(QPalette::HighlightedText)) : symbolIcon(symbol));
    }
}

void SegmentedPicker::styleSegments()
{
    const QList<QAbstractButton *> buttons = m_group->buttons();
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        // Joined segments: only the outer corners are round, neighbours share one border.
        const QString left = i == 0 ? QStringLiteral("6px") : QStringLiteral("0px");
        const QString right = i == buttons.size() - 1 ? QStringLiteral("6px") : QStringLiteral("0px");
        const QString leftBorder = i == 0 ? QStringLiteral("1px") : QStringLiteral("0px");
        buttons[i]->setStyleSheet(
            QStringLiteral("QToolButton { border: 1px solid palette(mid); border-left-width: %3;"
                           " border-top-left-radius: %1; border-bottom-left-radius: %1;"
                           " border-top-right-radius: %2; border-bottom-right-radius: %2;"
                           " background: palette(button); padding: 3px 10px; }"
                           "QToolButton:checked { background: palette(highlight); color: palette(highlighted-text); }"
                           "QToolButton:disabled { color: palette(mid); }"
                           "QToolButton:checked:disabled { background: palette(midlight); color: palette(dark); }")
                .arg(left, right, leftBorder));
    }
}

} // namespace lumetra
