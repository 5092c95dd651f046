#include "AppTestHarness.h"
#include "ClickReportingTextView.h"
#include "ControlPanelView.h"
#include "ControlToolbar.h"
#include "ControlsColumn.h"
#include "KeyEventMonitor.h"
#include "PrompterWindow.h"
#include "ScriptEditorView.h"
#include "ShortcutFieldRow.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace lumetra::testing {
namespace {

class ControlWindowKeys : public AppTest {
protected:
    ClickReportingTextView &editor() { return window().panel().editor().textView(); }
    QLineEdit &shortcutField(const QString &title) { return window().panel().controls().shortcutField(title)->field(); }
    // A widget of the window that takes no text: the play button.
    QWidget &plainWidget() { return window().panel().toolbar().playButton(); }
};

TEST_F(ControlWindowKeys, SingleKeysDriveThePrompterOutsideTextInputOnly)
{
    model().setScrollSpeed(40);
    focus(plainWidget());
    QTest::keyClick(&plainWidget(), Qt::Key_D);
    EXPECT_EQ(model().scrollSpeed(), 44);
    QTest::keyClick(&plainWidget(), Qt::Key_A, Qt::ShiftModifier); // Shift does not disqualify
    EXPECT_EQ(model().scrollSpeed(), 40);

    focus(editor());
    const QString before = model().scriptText();
    QTest::keyClick(&editor(), Qt::Key_D);
    EXPECT_EQ(model().scrollSpeed(), 40);
    EXPECT_EQ(model().scriptText().size(), before.size() + 1) << "the letter is typed";

    QLineEdit &field = shortcutField(QStringLiteral("放慢"));
    focus(field);
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_D);
    EXPECT_EQ(model().scrollSpeed(), 40);
    EXPECT_EQ(model().shortcutSettings().slowerKey, QStringLiteral("d"));
}

TEST_F(ControlWindowKeys, ShiftSMovesToTheNextSentenceAndCtrlSSaves)
{
    const QString path = temporaryPath(QStringLiteral("講稿.md"));
    model().completeScriptExport(path);
    focus(plainWidget());
    const std::int64_t start = model().currentParagraphIndex();
    QTest::keyClick(&plainWidget(), Qt::Key_S, Qt::ShiftModifier);
    EXPECT_EQ(model().currentParagraphIndex(), start + 1);

    QTest::keyClick(&plainWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(model().currentParagraphIndex(), start + 1) << "Ctrl+S is no sentence key";
    EXPECT_EQ(model().statusMessage(), QStringLiteral("已儲存 講稿.md"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), model().scriptText());

    // Alt and Meta combinations pass the monitor untouched.
    QTest::keyClick(&plainWidget(), Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(&plainWidget(), Qt::Key_S, Qt::MetaModifier);
    EXPECT_EQ(model().currentParagraphIndex(), start + 1);
}

TEST_F(ControlWindowKeys, CtrlRightMovesTheCaretInTheEditorAndSpeedsUpElsewhere)
{
    model().setScrollSpeed(40);
    focus(editor());
    QTextCursor cursor = editor().textCursor();
    cursor.setPosition(0);
    editor().setTextCursor(cursor);
    QTest::keyClick(&editor(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_GT(editor().textCursor().position(), 0);
    EXPECT_EQ(model().scrollSpeed(), 40);
    // Left without modifiers moves the caret, not the prompter back.
    QTest::keyClick(&editor(), Qt::Key_Left);
    EXPECT_EQ(model().scrollSpeed(), 40);

    focus(plainWidget());
    QTest::keyClick(&plainWidget(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(model().scrollSpeed(), 44);
    QTest::keyClick(&plainWidget(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(model().scrollSpeed(), 40);
}

TEST_F(ControlWindowKeys, SpaceTogglesPlaybackAndTheLabelsFollow)
{
    QAction *play = window().menus().action(QStringLiteral("播放"));
    ASSERT_NE(play, nullptr);
    focus(plainWidget());
    QTest::keyClick(&plainWidget(), Qt::Key_Space);
    EXPECT_TRUE(model().isPlaying());
    EXPECT_EQ(play->text(), QStringLiteral("暫停"));
    EXPECT_EQ(window().panel().toolbar().playButton().text(), QStringLiteral("暫停"));
    QTest::keyClick(&plainWidget(), Qt::Key_Space);
    EXPECT_FALSE(model().isPlaying());
    EXPECT_EQ(play->text(), QStringLiteral("播放"));
}

TEST_F(ControlWindowKeys, PageDownAndPageUpMoveBySentenceOutsideTheEditor)
{
    focus(plainWidget());
    const std::int64_t start = model().currentParagraphIndex();
    QTest::keyClick(&plainWidget(), Qt::Key_PageDown);
    QTest::keyClick(&plainWidget(), Qt::Key_PageDown);
    EXPECT_EQ(model().currentParagraphIndex(), start + 2);
    QTest::keyClick(&plainWidget(), Qt::Key_PageUp);
    EXPECT_EQ(model().currentParagraphIndex(), start + 1);

    focus(editor());
    QTest::keyClick(&editor(), Qt::Key_PageDown);
    EXPECT_EQ(model().currentParagraphIndex(), start + 1);
}

TEST_F(ControlWindowKeys, ThePrompterWindowIsOneWindowAndTheKeysServeIt)
{
    PrompterWindow *prompter = app().showPrompterWindow();
    ASSERT_NE(prompter, nullptr);
    EXPECT_EQ(app().showPrompterWindow(), prompter) << "asked again, the same window";
    prompter->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(prompter));
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : prompter;

    model().setScrollSpeed(40);
    QTest::keyClick(target, Qt::Key_D);
    EXPECT_EQ(model().scrollSpeed(), 44);
    QTest::keyClick(target, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(model().scrollSpeed(), 48);
    const std::int64_t current = model().currentParagraphIndex();
    QTest::keyClick(target, Qt::Key_PageDown);
    EXPECT_EQ(model().currentParagraphIndex(), current + 1);
    QTest::keyClick(target, Qt::Key_S, Qt::ShiftModifier);
    EXPECT_EQ(model().currentParagraphIndex(), current + 2);
    QTest::keyClick(target, Qt::Key_PageUp);
    EXPECT_EQ(model().currentParagraphIndex(), current + 1);
    QTest::keyClick(target, Qt::Key_Space);
    EXPECT_TRUE(model().isPlaying());
}

TEST_F(ControlWindowKeys, TheToolbarOpensThePrompterWindow)
{
    for (QToolButton *button : window().panel().toolbar().findChildren<QToolButton *>()) {
        if (button->text() == QStringLiteral("開啟 Prompter"))
            button->click();
    }
    ASSERT_NE(PrompterWindow::instance(), nullptr);
    EXPECT_TRUE(PrompterWindow::instance()->isVisible());
}

TEST_F(ControlWindowKeys, OneMonitorWhileTheWindowIsShownNoneAfterItCloses)
{
    ControlPanelView &panel = window().panel();
    EXPECT_TRUE(panel.keyEventMonitor().isInstalled());
    panel.installKeyEventMonitor(); // a second install keeps the one
    model().setScrollSpeed(40);
    focus(plainWidget());
    QTest::keyClick(&plainWidget(), Qt::Key_D);
    EXPECT_EQ(model().scrollSpeed(), 44) << "one step, not two";

    window().hide();
    EXPECT_FALSE(panel.keyEventMonitor().isInstalled());
    window().show();
    EXPECT_TRUE(panel.keyEventMonitor().isInstalled());
    window().close();
    EXPECT_FALSE(panel.keyEventMonitor().isInstalled());
}

TEST_F(ControlWindowKeys, ShortcutFieldsNormaliseOnEveryEdit)
{
    QLineEdit &next = shortcutField(QStringLiteral("下一句"));
    focus(next);
    next.selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("  X "));
    QTest::keyClick(&next, Qt::Key_V, Qt::ControlModifier); // one edit: a paste
    EXPECT_EQ(model().shortcutSettings().nextSentenceKey, QStringLiteral("x"));
    EXPECT_EQ(next.text(), QStringLiteral("X"));
    next.selectAll();
    QTest::keyClick(&next, Qt::Key_Backspace);
    EXPECT_EQ(model().shortcutSettings().nextSentenceKey, QStringLiteral("s"));
    EXPECT_EQ(next.text(), QStringLiteral("S"));
    // Typing after the key keeps the first one.
    next.end(false);
    QTest::keyClick(&next, Qt::Key_Q);
    EXPECT_EQ(model().shortcutSettings().nextSentenceKey, QStringLiteral("s"));
}

} // namespace
} // namespace lumetra::testing
