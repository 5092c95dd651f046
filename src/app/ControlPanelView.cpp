#include "ControlPanelView.h"

#include "ControlToolbar.h"
#include "ControlsColumn.h"
#include "IconLabel.h"
#include "KeyEventMonitor.h"
#include "ModelObservation.h"
#include "PrompterViewModel.h"
#include "ScriptEditorView.h"
#include "SectionSidebar.h"
#include "TextStyles.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

namespace lumetra {

namespace {

constexpr int editorColumnMinimumWidth = 360;

QFrame *verticalDivider(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(QPalette::Mid);
    return line;
}

} // namespace

ControlPanelView::ControlPanelView(PrompterViewModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_keyEventMonitor(new KeyEventMonitor(model, this))
    , m_sidebar(new SectionSidebar(model, this))
    , m_toolbar(new ControlToolbar(model, this))
    , m_controls(nullptr)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_sidebar);
    layout->addWidget(verticalDivider(this));

    auto *mainColumn = new QVBoxLayout;
    mainColumn->setSpacing(0);
    mainColumn->addWidget(m_toolbar);
    auto *split = new QSplitter(Qt::Horizontal, this);
    split->setChildrenCollapsible(false);
    split->addWidget(makeEditorColumn());
    m_controls = new ControlsColumn(model, split);
    split->addWidget(m_controls);
    // The script gets most of the room; the controls column keeps about its minimum.
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    mainColumn->addWidget(split, 1);
    layout->addLayout(mainColumn, 1);

    connect(m_toolbar, &ControlToolbar::openPrompterRequested, this, &ControlPanelView::openPrompterRequested);
    connect(m_toolbar, &ControlToolbar::openScriptRequested, this, &ControlPanelView::openScriptRequested);
}

ControlPanelView::~ControlPanelView()
{
    removeKeyEventMonitor();
}

QWidget *ControlPanelView::makeEditorColumn()
{
    auto *column = new QWidget(this);
    column->setMinimumWidth(editorColumnMinimumWidth);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);

    auto *header = new QHBoxLayout;
    header->addWidget(
        new IconLabel(QStringLiteral("doc.text"), QStringLiteral("講稿"), TextStyles::headline(), column));
    header->addStretch(1);
    auto *hint = new QLabel(QStringLiteral("點任一行即可跳到該句"), column);
    hint->setFont(TextStyles::caption());
    TextStyles::makeSecondary(hint);
    header->addWidget(hint);
    layout->addLayout(header);

    // The editor sits on the text background in a rounded frame, padded 2.
    auto *frame = new QFrame(column);
    frame->setObjectName(QStringLiteral("editorFrame"));
    frame->setStyleSheet(QStringLiteral("#editorFrame { background: palette(base); border-radius: 8px; }"));
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    m_editor = new ScriptEditorView(frame);
    frameLayout->addWidget(m_editor);
    layout->addWidget(frame, 1);

    observe(
        &m_model, &PrompterViewModel::scriptTextChanged, m_editor, [this] { m_editor->setText(m_model.scriptText()); });
    connect(m_editor, &ScriptEditorView::textEdited, &m_model, &PrompterViewModel::setScriptText);
    connect(m_editor, &ScriptEditorView::clickedAtOffset, &m_model, &PrompterViewModel::jumpToSourceOffset);
    return column;
}

void ControlPanelView::installKeyEventMonitor()
{
    m_keyEventMonitor->install();
}

void ControlPanelView::removeKeyEventMonitor()
{
    m_keyEventMonitor->remove();
}

void ControlPanelView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    installKeyEventMonitor();
}

void ControlPanelView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // Minimising the window is no leaving the screen: the prompter still needs its keys.
    if (!event->spontaneous())
        removeKeyEventMonitor();
}

} // namespace lumetra
