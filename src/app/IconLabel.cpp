#include "IconLabel.h"

#include "SymbolIcon.h"

#include <QHBoxLayout>
#include <QLabel>

namespace lumetra {

IconLabel::IconLabel(const QString &symbol, const QString &text, const QFont &font, QWidget *parent)
    : QWidget(parent)
    , m_text(new QLabel(text, this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    auto *icon = new QLabel(this);
    const int side = QFontMetrics(font).height();
    icon->setPixmap(symbolIcon(symbol).pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);
    layout->addWidget(icon, 0, Qt::AlignTop);
    m_text->setFont(font);
    m_text->setWordWrap(true);
    layout->addWidget(m_text, 1);
}

void IconLabel::setText(const QString &text)
{
    m_text->setText(text);
}

QString IconLabel::text() const
{
    return m_text->text();
}

} // namespace lumetra
