#include "ScriptEditorView.h"

#include "ClickReportingTextView.h"

#include <QApplication>
#include <QPointer>
#include <QVBoxLayout>

#include <algorithm>

namespace lumetra {

namespace {

constexpr double editorPointSize = 16;
constexpr int textInset = 10;

} // namespace

ScriptEditorView::ScriptEditorView(QWidget *parent)
    : QWidget(parent)
    , m_textView(new ClickReportingTextView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_textView);

    QFont font = QApplication::font();
    font.setPointSizeF(editorPointSize);
    m_textView->setFont(font);
    m_textView->setFrameShape(QFrame::NoFrame);
    m_textView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_textView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_textView->setUndoRedoEnabled(true);
    m_textView->document()->setDocumentMargin(textInset);
    m_textView->viewport()->setAutoFillBackground(false);
    m_textView->setAutoFillBackground(false);

    connect(m_textView, &QPlainTextEdit::textChanged, this, [this] {
        if (m_isReplacingText)
            return;
        m_lastEditedText = text();
        emit textEdited(m_lastEditedText);
    });
    QPointer<ScriptEditorView> self(this);
    m_textView->onClickOffset = [self](qsizetype offset) {
        if (self)
            emit self->clickedAtOffset(offset);
    };
}

QString ScriptEditorView::text() const
{
    // The raw text keeps non-breaking spaces, which the plain-text conversion would turn into
    // spaces; only the block separators become line feeds again.
    QString text = m_textView->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

void ScriptEditorView::setText(const QString &text)
{
    // The model echoing the edit just sent shares its characters: known equal without reading
    // the whole document again.
    if ((!m_lastEditedText.isEmpty() && text.isSharedWith(m_lastEditedText)) || this->text() == text)
        return;
    const int previousPosition = m_textView->textCursor().selectionStart(); // the selection's location
    m_isReplacingText = true;
    m_textView->setPlainText(text);
    m_isReplacingText = false;
    QTextCursor cursor = m_textView->textCursor();
    cursor.setPosition(std::min<qsizetype>(previousPosition, m_textView->document()->characterCount() - 1));
    m_textView->setTextCursor(cursor);
    m_lastEditedText.clear();
}

} // namespace lumetra
