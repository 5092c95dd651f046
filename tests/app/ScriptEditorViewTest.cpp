#include "ScriptEditorView.h"
#include "ClickReportingTextView.h"
#include "ParserSelfTest.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace lumetra {
namespace {

class ScriptEditorViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor.resize(400, 300);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    }

    void placeCaret(int position)
    {
        QTextCursor cursor = editor.textView().textCursor();
        cursor.setPosition(position);
        editor.textView().setTextCursor(cursor);
    }
    int caret() const { return editor.textView().textCursor().position(); }
    QPoint pointOf(int position)
    {
        QTextCursor cursor = editor.textView().textCursor();
        cursor.setPosition(position);
        return editor.textView().cursorRect(cursor).center();
    }

    ScriptEditorView editor;
};

TEST_F(ScriptEditorViewTest, TypingReportsTheWholeTextOnEveryChangeAndKeepsTheCaret)
{
    editor.setText(QStringLiteral("abc"));
    QSignalSpy edits(&editor, &ScriptEditorView::textEdited);
    editor.textView().setFocus();
    placeCaret(1);
    QTest::keyClicks(&editor.textView(), QStringLiteral("xy"));
    ASSERT_EQ(edits.size(), 2);
    EXPECT_EQ(edits[0][0].toString(), QStringLiteral("axbc"));
    EXPECT_EQ(edits[1][0].toString(), QStringLiteral("axybc"));
    // The model echoes the text back: nothing moves, the undo history stays.
    editor.setText(QStringLiteral("axybc"));
    EXPECT_EQ(caret(), 3);
    EXPECT_TRUE(editor.textView().document()->isUndoAvailable());
}

TEST_F(ScriptEditorViewTest, ATextFromElsewhereKeepsTheCaretWhereTheNewTextAllows)
{
    editor.setText(QString(1000, u'字'));
    placeCaret(500);
    editor.setText(QString(120, u'新'));
    EXPECT_EQ(caret(), 120);
    EXPECT_FALSE(editor.textView().textCursor().hasSelection());

    editor.setText(QString(1000, u'字'));
    placeCaret(500);
    editor.setText(QString(800, u'新'));
    EXPECT_EQ(caret(), 500);

    // A selection collapses to its location (its start), whichever way it was made.
    QTextCursor selection = editor.textView().textCursor();
    selection.setPosition(300);
    selection.setPosition(200, QTextCursor::KeepAnchor);
    editor.textView().setTextCursor(selection);
    editor.setText(QString(900, u'字'));
    EXPECT_EQ(caret(), 200);
    EXPECT_FALSE(editor.textView().textCursor().hasSelection());

    QSignalSpy edits(&editor, &ScriptEditorView::textEdited);
    editor.setText(QStringLiteral("不是使用者的編輯"));
    EXPECT_EQ(edits.size(), 0);
}

TEST_F(ScriptEditorViewTest, AnEchoOfTheLastEditIsSkippedButAnEmptyTextStillReplaces)
{
    editor.setText(QStringLiteral("ab"));
    QSignalSpy edits(&editor, &ScriptEditorView::textEdited);
    editor.textView().setFocus();
    placeCaret(2);
    QTest::keyClick(&editor.textView(), Qt::Key_C);
    ASSERT_EQ(edits.size(), 1);
    editor.setText(edits[0][0].toString()); // the model hands the same text back
    EXPECT_EQ(caret(), 3);
    editor.setText(QString());
    EXPECT_EQ(editor.text(), QString());
    editor.setText(QStringLiteral("ab"));
    EXPECT_EQ(editor.text(), QStringLiteral("ab"));
}

TEST_F(ScriptEditorViewTest, NonBreakingSpacesAndLineBreaksSurviveTheRoundTrip)
{
    const QString text = QStringLiteral("第一行\u00a0有不換行空格\n第二行");
    editor.setText(text);
    EXPECT_EQ(editor.text(), text);
    placeCaret(4);
    editor.setText(text); // equal: untouched
    EXPECT_EQ(caret(), 4);
}

TEST_F(ScriptEditorViewTest, APressReportsTheOffsetUnderThePressPointOncePerPress)
{
    editor.setText(QStringLiteral("第一句。\n第二句。"));
    QSignalSpy clicks(&editor, &ScriptEditorView::clickedAtOffset);
    QWidget *viewport = editor.textView().viewport();

    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(7));
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0][0].value<qsizetype>(), 7);

    // Far right of the last line: the text's length. Far left in the inset: the line's start.
    const QPoint end = pointOf(8);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() - 3, end.y()));
    EXPECT_EQ(clicks.last()[0].value<qsizetype>(), 9);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(2, end.y()));
    EXPECT_EQ(clicks.last()[0].value<qsizetype>(), 5);

    // A drag reports where the button went down, once.
    clicks.clear();
    QTest::mousePress(viewport, Qt::LeftButton, {}, pointOf(1));
    QTest::mouseMove(viewport, pointOf(8));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, pointOf(8));
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0][0].value<qsizetype>(), 1);

    // Other buttons place no jump.
    QTest::mouseClick(viewport, Qt::RightButton, {}, pointOf(3));
    EXPECT_EQ(clicks.size(), 1);
}

TEST_F(ScriptEditorViewTest, ArrowKeysAreClaimedBeforeShortcutsWhateverTheModifiers)
{
    for (const Qt::Key key : { Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down }) {
        for (const Qt::KeyboardModifiers modifiers :
            { Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ControlModifier),
                Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier) }) {
            QKeyEvent override(QEvent::ShortcutOverride, key, modifiers);
            override.ignore();
            QCoreApplication::sendEvent(&editor.textView(), &override);
            EXPECT_TRUE(override.isAccepted()) << key << " " << modifiers.toInt();
        }
    }
    // Copy, paste and save keep their usual meaning.
    for (const Qt::Key key : { Qt::Key_C, Qt::Key_V, Qt::Key_S }) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::ControlModifier);
        EXPECT_FALSE(editor.textView().performKeyEquivalent(event));
        EXPECT_FALSE(ClickReportingTextView::isArrowShortcut(event));
    }
}

TEST_F(ScriptEditorViewTest, ControlArrowsGoToLineAndTextEndsOnAWrappedText)
{
    // A long first paragraph wraps: Ctrl+Right stops at the end of the visual line, Ctrl+Down at
    // the end of the text.
    editor.setText(QString(200, u'字') + QStringLiteral("\n最後"));
    placeCaret(0);
    QTest::keyClick(&editor.textView(), Qt::Key_Right, Qt::ControlModifier);
    const int lineEnd = caret();
    EXPECT_GT(lineEnd, 0);
    EXPECT_LT(lineEnd, 200);
    QTest::keyClick(&editor.textView(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(caret(), 203);
    QTest::keyClick(&editor.textView(), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor.textView().textCursor().selectionStart(), 0);
    EXPECT_EQ(editor.textView().textCursor().selectionEnd(), 203);
}

TEST(ParserSelfTestChecks, TheTwelveArrowMotionsHoldOnAnEditorNeverShown)
{
    EXPECT_TRUE(ParserSelfTest::textEditorArrowShortcutsWork());
}

TEST(ParserSelfTestChecks, TheSwitchCountsOnlyAsAWholeArgumentAfterTheProgramName)
{
    EXPECT_TRUE(ParserSelfTest::isRequested({ "lumetra", "--self-test" }));
    EXPECT_TRUE(ParserSelfTest::isRequested({ "lumetra", "a.md", "--self-test", "x" }));
    EXPECT_FALSE(ParserSelfTest::isRequested({ "lumetra", "--self-test-x" }));
    EXPECT_FALSE(ParserSelfTest::isRequested({ "lumetra", "x--self-test" }));
}

} // namespace
} // namespace lumetra
