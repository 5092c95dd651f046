#include "ClickReportingTextView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextCursor>

namespace lumetra {

ClickReportingTextView::ClickReportingTextView(QWidget *parent)
    : QPlainTextEdit(parent)
{
}

bool ClickReportingTextView::isArrowShortcut(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

bool ClickReportingTextView::performKeyEquivalent(QKeyEvent &event)
{
    if (!isArrowShortcut(event))
        return false;
    keyPressEvent(&event);
    return true;
}

bool ClickReportingTextView::event(QEvent *event)
{
    // Accepting the override sends the key here as an ordinary key press instead of to a shortcut.
    if (event->type() == QEvent::ShortcutOverride && isArrowShortcut(*static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void ClickReportingTextView::keyPressEvent(QKeyEvent *event)
{
    if (isArrowShortcut(*event) && moveForControlArrow(*event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool ClickReportingTextView::moveForControlArrow(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (!(modifiers & Qt::ControlModifier) || (modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return false;
    QTextCursor::MoveOperation operation;
    switch (event.key()) {
    case Qt::Key_Left:
        operation = QTextCursor::StartOfLine;
        break;
    case Qt::Key_Right:
        operation = QTextCursor::EndOfLine;
        break;
    case Qt::Key_Up:
        operation = QTextCursor::Start;
        break;
    default:
        operation = QTextCursor::End;
        break;
    }
    QTextCursor cursor = textCursor();
    cursor.movePosition(operation, modifiers & Qt::ShiftModifier ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
    return true;
}

void ClickReportingTextView::mousePressEvent(QMouseEvent *event)
{
    QPlainTextEdit::mousePressEvent(event);
    reportClick(*event);
}

void ClickReportingTextView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click arrives here instead of as a press.
    QPlainTextEdit::mouseDoubleClickEvent(event);
    reportClick(*event);
}

void ClickReportingTextView::reportClick(const QMouseEvent &event)
{
    if (event.button() != Qt::LeftButton || !onClickOffset)
        return;
    // The press point itself, not wherever the pointer is by the time this runs.
    onClickOffset(cursorForPosition(event.position().toPoint()).position());
}

} // namespace lumetra
