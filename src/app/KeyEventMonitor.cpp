#include "KeyEventMonitor.h"

#include "PrompterViewModel.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace lumetra {

KeyEventMonitor::KeyEventMonitor(PrompterViewModel &model, QObject *parent)
    : QObject(parent)
    , m_model(model)
{
}

KeyEventMonitor::~KeyEventMonitor()
{
    remove();
}

void KeyEventMonitor::install()
{
    if (m_isInstalled)
        return;
    qApp->installEventFilter(this);
    m_isInstalled = true;
}

void KeyEventMonitor::remove()
{
    if (!m_isInstalled)
        return;
    qApp->removeEventFilter(this);
    m_isInstalled = false;
}

bool KeyEventMonitor::isTextInput(const QWidget *widget)
{
    if (!widget)
        return false;
    if (const auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->isEditable();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(widget))
        return !plain->isReadOnly();
    if (const auto *rich = qobject_cast<const QTextEdit *>(widget))
        return !rich->isReadOnly();
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget);
}

bool KeyEventMonitor::eventFilter(QObject *watched, QEvent *event)
{
    // A key press reaches the window object first and then its widgets; it is judged once, at
    // the first widget that receives it.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    return handleKeyPress(*static_cast<QKeyEvent *>(event));
}

bool KeyEventMonitor::handleKeyPress(const QKeyEvent &event)
{
    // Dialogs (file panels, consent) keep their keys for typing and searching.
    if (isTextInput(QApplication::focusWidget()) || QApplication::activeModalWidget())
        return false;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (event.key() == Qt::Key_PageDown) {
        m_model.moveToNextSentence();
        return true;
    }
    if (event.key() == Qt::Key_PageUp) {
        m_model.moveToPreviousSentence();
        return true;
    }
    const QString characters = event.text().toLower();
    if (characters.isEmpty())
        return false;
    // One whole character: a surrogate pair stays together.
    const QString first = characters.left(characters.at(0).isHighSurrogate() && characters.size() > 1 ? 2 : 1);
    return m_model.handlePlainShortcut(first);
}

} // namespace lumetra
