#include "ControlToolbar.h"

#include "ElidedLabel.h"
#include "ModelObservation.h"
#include "PrompterViewModel.h"
#include "SymbolIcon.h"
#include "TextStyles.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumetra {

namespace {

const QColor recordTint(220, 38, 38);
// What the document status needs to stay readable beside the buttons.
constexpr int documentStatusMinimumWidth = 200;
constexpr int iconSize = 16;
constexpr int buttonPadding = 6;

} // namespace

ControlToolbar::ControlToolbar(PrompterViewModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_title(new ElidedLabel(this))
    , m_status(new ElidedLabel(this))
{
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);

    m_play = addButton(QStringLiteral("播放"), QStringLiteral("play.fill"));
    connect(m_play, &QToolButton::clicked, &m_model, &PrompterViewModel::togglePlayback);
    connect(addButton(QStringLiteral("回退"), QStringLiteral("gobackward.10")), &QToolButton::clicked, &m_model,
        &PrompterViewModel::rewind);
    connect(addButton(QStringLiteral("回開頭"), QStringLiteral("backward.end.fill")), &QToolButton::clicked, &m_model,
        &PrompterViewModel::jumpToStart);

    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    divider->setFixedHeight(24);
    layout->addWidget(divider);

    connect(addButton(QStringLiteral("開啟 Prompter"), QStringLiteral("rectangle.on.rectangle")), &QToolButton::clicked,
        this, &ControlToolbar::openPrompterRequested);
    m_record = addButton(QStringLiteral("開始錄影"), QStringLiteral("record.circle"));
    QPalette tinted = m_record->palette();
    tinted.setColor(QPalette::ButtonText, recordTint);
    m_record->setPalette(tinted);
    connect(m_record, &QToolButton::clicked, &m_model, &PrompterViewModel::toggleRecording);
    connect(addButton(QStringLiteral("開稿"), QStringLiteral("folder")), &QToolButton::clicked, this,
        &ControlToolbar::openScriptRequested);
    connect(addButton(QStringLiteral("儲存"), QStringLiteral("square.and.arrow.down")), &QToolButton::clicked, &m_model,
        &PrompterViewModel::saveScript);

    // The status column takes all the room the buttons leave (its text is right-aligned), so a
    // long message is cut only when it really does not fit.
    auto *status = new QVBoxLayout;
    status->setSpacing(2);
    m_title->setFont(TextStyles::subheadline(true));
    m_title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_status->setFont(TextStyles::caption());
    m_status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TextStyles::makeSecondary(m_status);
    status->addWidget(m_title);
    status->addWidget(m_status);
    layout->addLayout(status, 1);

    observe(&m_model, &PrompterViewModel::isPlayingChanged, this, [this] {
        const bool playing = m_model.isPlaying();
        setLabel(m_play, playing ? QStringLiteral("暫停") : QStringLiteral("播放"),
            playing ? QStringLiteral("pause.fill") : QStringLiteral("play.fill"));
    });
    observe(&m_model, &PrompterViewModel::recordingEngineChanged, this, [this] {
        const bool recording = m_model.recordingEngine().isRecording();
        setLabel(m_record, recording ? QStringLiteral("停止錄影") : QStringLiteral("開始錄影"),
            recording ? QStringLiteral("stop.circle.fill") : QStringLiteral("record.circle"), recordTint);
    });
    const auto showTitle = [this] { m_title->setText(m_model.documentTitle()); };
    observe(&m_model, &PrompterViewModel::currentFileURLChanged, this, showTitle);
    const auto showStatus = [this] { m_status->setText(documentStatusLine()); };
    observe(&m_model, &PrompterViewModel::isDirtyChanged, this, showStatus);
    connect(&m_model, &PrompterViewModel::statusMessageChanged, this, showStatus);
}

void ControlToolbar::setLabel(QToolButton *button, const QString &text, const QString &symbol, const QColor &tint)
{
    button->setText(text);
    button->setToolTip(text); // what an icon-only button says
    button->setIcon(tint.isValid() ? symbolIcon(symbol, tint) : symbolIcon(symbol));
}

QToolButton *ControlToolbar::addButton(const QString &text, const QString &symbol)
{
    auto *button = new QToolButton(this);
    setLabel(button, text, symbol);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    layout()->addWidget(button);
    m_buttons.append(button);
    return button;
}

void ControlToolbar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitButtonsToWidth();
}

void ControlToolbar::fitButtonsToWidth()
{
    const QFontMetrics metrics(font());
    const int iconWithGap = iconSize + 2 * buttonPadding + metrics.horizontalAdvance(u' ');
    int withText = 0;
    for (const QToolButton *button : std::as_const(m_buttons))
        withText += iconWithGap + metrics.horizontalAdvance(button->text()) + layout()->spacing();
    const QMargins margins = layout()->contentsMargins();
    const bool roomForText = width() - margins.left() - margins.right() - withText >= documentStatusMinimumWidth;
    for (QToolButton *button : std::as_const(m_buttons))
        button->setToolButtonStyle(roomForText ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
}

QString ControlToolbar::documentStatusLine() const
{
    return (m_model.isDirty() ? QStringLiteral("已修改") : QStringLiteral("已儲存")) + QStringLiteral(" · ")
        + m_model.statusMessage();
}

QString ControlToolbar::documentTitleText() const
{
    return m_title->text();
}

} // namespace lumetra
