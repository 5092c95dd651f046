#include "AboutPane.h"

#include "TextStyle.h"
#include "recording/ProminentButton.h"
#include "recording/SymbolLabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace lumetra {

AboutPane::AboutPane(QWidget *parent)
    : QWidget(parent)
    , m_symbol(new QLabel(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 28, 28, 28);
    layout->setSpacing(16);

    m_symbol->setFixedSize(64, 64);
    m_symbol->setAlignment(Qt::AlignCenter);
    showSymbol(m_symbol, QStringLiteral("text.line.first.and.arrowtriangle.forward"), 56, accentColor());
    auto *name = new QLabel(QStringLiteral("Lumetra"), this);
    applyTextStyle(name, TextStyle::title, QFont::Bold);
    auto *tagline = new QLabel(QStringLiteral("AI 跟讀的中文提詞器"), this);
    applyTextStyle(tagline, TextStyle::callout);
    applyTextColor(tagline, secondaryTextColor(palette()));

    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    auto *dividerRow = new QHBoxLayout;
    dividerRow->setContentsMargins(40, 0, 40, 0);
    dividerRow->addWidget(divider);

    auto *bullets = new QVBoxLayout;
    bullets->setSpacing(6);
    for (const QString &line : { QStringLiteral("•  離線 zh-TW 即時語音辨識，聲音不離開這台電腦"),
             QStringLiteral("•  跟著你念的句子自動移動提詞位置"),
             QStringLiteral("•  原生 Linux 程式，以每秒 60 格順暢捲動") }) {
        auto *bullet = new QLabel(line, this);
        applyTextStyle(bullet, TextStyle::callout);
        applyTextColor(bullet, secondaryTextColor(palette()));
        bullets->addWidget(bullet);
        m_bullets << bullet;
    }
    auto *bulletBlock = new QHBoxLayout;
    bulletBlock->addStretch();
    bulletBlock->addLayout(bullets);
    bulletBlock->addStretch();

    layout->addWidget(m_symbol, 0, Qt::AlignHCenter);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    layout->addWidget(tagline, 0, Qt::AlignHCenter);
    layout->addLayout(dividerRow);
    layout->addLayout(bulletBlock);
    layout->addStretch();
}

} // namespace lumetra
