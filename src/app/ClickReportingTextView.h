#pragma once

#include <QPlainTextEdit>

#include <functional>

class QKeyEvent;

namespace lumetra {

// The script's plain-text editing area. Reports where each mouse press lands, as an insertion
// offset in UTF-16 units, and keeps the four arrow keys (with any modifiers) as editing keys even
// where a menu shortcut uses the same combination.
class ClickReportingTextView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ClickReportingTextView(QWidget *parent = nullptr);

    // Called once per mouse press with the insertion offset under the press point; none by default.
    std::function<void(qsizetype offset)> onClickOffset;

    // True for the left, right, up and down arrow keys, whatever the modifiers.
    static bool isArrowShortcut(const QKeyEvent &event);

    // A key offered before shortcut processing: arrow keys are performed here as editing keys and
    // reported as handled; every other key is left to its shortcut.
    bool performKeyEquivalent(QKeyEvent &event);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // Ctrl+Left/Right: start/end of the line; Ctrl+Up/Down: start/end of the text; Shift extends.
    bool moveForControlArrow(const QKeyEvent &event);
    void reportClick(const QMouseEvent &event);
};

} // namespace lumetra
