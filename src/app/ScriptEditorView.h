#pragma once

#include <QWidget>

namespace lumetra {

class ClickReportingTextView;

// The script editor of the control window: keeps its text and the bound text equal in both
// directions and reports each click as an insertion offset.
class ScriptEditorView : public QWidget {
    Q_OBJECT
public:
    explicit ScriptEditorView(QWidget *parent = nullptr);

    // The bound text changed elsewhere: replaces the editor's text when it differs and puts the
    // caret at min(old position, new length). An equal text touches nothing, so typing never
    // moves the caret.
    void setText(const QString &text);
    QString text() const;

    ClickReportingTextView &textView() const { return *m_textView; }

signals:
    // After each edit by the user, with the editor's whole text.
    void textEdited(const QString &text);
    // A mouse press at this insertion offset (UTF-16 units).
    void clickedAtOffset(qsizetype offset);

private:
    ClickReportingTextView *m_textView;
    bool m_isReplacingText = false;
    QString m_lastEditedText;
};

} // namespace lumetra
