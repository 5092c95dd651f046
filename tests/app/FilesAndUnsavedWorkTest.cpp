#include "AppTestHarness.h"
#include "ClickReportingTextView.h"
#include "ControlPanelView.h"
#include "ScriptEditorView.h"
#include "ScriptFilePanels.h"
#include "UnsavedWorkGuard.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace lumetra::testing {
namespace {

const QString newScriptTemplate = QStringLiteral("# 新講稿\n\n在這裡貼上你的口播稿。");

class FilesAndUnsavedWork : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        model().setScriptText(QStringLiteral("# 我的稿\n\n還沒存的字。"));
        ASSERT_TRUE(model().isDirty());
    }

    void trigger(const QString &menuItem) { window().menus().action(menuItem)->trigger(); }
    // Answers the open question with one of its buttons.
    void answer(const QString &button)
    {
        QMessageBox *question = window().unsavedWorkGuard().question();
        ASSERT_NE(question, nullptr) << "no question was asked";
        EXPECT_EQ(question->text(), QStringLiteral("要儲存目前講稿的變更嗎？"));
        for (QAbstractButton *candidate : question->buttons()) {
            if (candidate->text() == button) {
                candidate->click();
                return;
            }
        }
        FAIL() << "no button " << button.toStdString();
    }
    static QString readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void finishOpenPanel(const QString &path)
    {
        QFileDialog *panel = window().filePanels().openPanel();
        ASSERT_NE(panel, nullptr) << "no open panel";
        panel->selectFile(path);
        static_cast<QDialog *>(panel)->accept(); // as the panel's own button does
    }
};

TEST_F(FilesAndUnsavedWork, NewAsksFirstAndEachAnswerDoesWhatItSays)
{
    const QString edited = model().scriptText();
    trigger(QStringLiteral("新增講稿"));
    EXPECT_EQ(model().scriptText(), edited) << "nothing replaced before the answer";
    answer(QStringLiteral("取消"));
    EXPECT_EQ(model().scriptText(), edited);
    EXPECT_TRUE(model().isDirty());

    trigger(QStringLiteral("新增講稿"));
    answer(QStringLiteral("不儲存"));
    EXPECT_EQ(model().scriptText(), newScriptTemplate);
}

TEST_F(FilesAndUnsavedWork, SaveWritesTheCurrentFileBeforeGoingOn)
{
    const QString path = temporaryPath(QStringLiteral("talk.md"));
    model().completeScriptExport(path);
    model().setScriptText(QStringLiteral("# 改過\n\n新的一句。"));
    trigger(QStringLiteral("新增講稿"));
    answer(QStringLiteral("儲存"));
    EXPECT_EQ(readFile(path), QStringLiteral("# 改過\n\n新的一句。"));
    EXPECT_EQ(model().scriptText(), newScriptTemplate);
}

TEST_F(FilesAndUnsavedWork, AFailedSaveDoesNotGoOn)
{
    model().completeScriptExport(temporaryPath(QStringLiteral("gone/talk.md"))); // its folder does not exist
    model().setScriptText(QStringLiteral("# 改過\n\n別弄丟。"));
    trigger(QStringLiteral("新增講稿"));
    answer(QStringLiteral("儲存"));
    EXPECT_EQ(model().scriptText(), QStringLiteral("# 改過\n\n別弄丟。"));
    EXPECT_TRUE(model().isDirty());
    EXPECT_TRUE(model().statusMessage().startsWith(QStringLiteral("儲存失敗：")))
        << model().statusMessage().toStdString();
}

TEST_F(FilesAndUnsavedWork, SaveWithoutAFileGoesOnOnlyWhenTheSavePanelSaved)
{
    const QString edited = model().scriptText();
    trigger(QStringLiteral("新增講稿"));
    answer(QStringLiteral("儲存"));
    QFileDialog *panel = window().filePanels().savePanel();
    ASSERT_NE(panel, nullptr);
    panel->reject();
    EXPECT_EQ(model().scriptText(), edited);
    EXPECT_FALSE(model().isPresentingScriptExporter());

    trigger(QStringLiteral("新增講稿"));
    answer(QStringLiteral("儲存"));
    panel = window().filePanels().savePanel();
    ASSERT_NE(panel, nullptr);
    const QString path = temporaryPath(QStringLiteral("saved.md"));
    panel->selectFile(path);
    static_cast<QDialog *>(panel)->accept();
    EXPECT_EQ(readFile(path), edited);
    EXPECT_EQ(model().scriptText(), newScriptTemplate);
}

TEST_F(FilesAndUnsavedWork, OpenAsksThenShowsThePanelAndOpensTheChosenFile)
{
    const QString path = temporaryPath(QStringLiteral("講稿.txt"));
    writeFile(path, "# 開場\r\n\r\n大家好。");
    trigger(QStringLiteral("開啟講稿..."));
    EXPECT_FALSE(model().isPresentingScriptImporter());
    answer(QStringLiteral("不儲存"));
    EXPECT_TRUE(model().isPresentingScriptImporter());
    finishOpenPanel(path);
    EXPECT_FALSE(model().isPresentingScriptImporter());
    EXPECT_EQ(model().scriptText(), QStringLiteral("# 開場\n\n大家好。"));
    EXPECT_EQ(window().panel().editor().text(), model().scriptText());
    EXPECT_EQ(model().statusMessage(), QStringLiteral("已開啟 講稿.txt"));
    EXPECT_FALSE(model().isDirty());
}

TEST_F(FilesAndUnsavedWork, ClosingAsksAndOnlyAnAllowingAnswerCloses)
{
    QSignalSpy closed(&window(), &ControlWindow::closed);
    window().close();
    answer(QStringLiteral("取消"));
    QTest::qWait(20);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(closed.size(), 0);

    window().close();
    answer(QStringLiteral("不儲存"));
    EXPECT_TRUE(closed.wait(2000));
    EXPECT_FALSE(window().isVisible());
}

TEST_F(FilesAndUnsavedWork, SaveAsWritesWhereThePanelSays)
{
    trigger(QStringLiteral("另存新檔..."));
    QFileDialog *panel = window().filePanels().savePanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->selectedFiles().value(0).section(u'/', -1), QStringLiteral("script.md"));
    const QString path = temporaryPath(QStringLiteral("新的.md"));
    panel->selectFile(path);
    static_cast<QDialog *>(panel)->accept();
    EXPECT_EQ(readFile(path), model().scriptText());
    EXPECT_EQ(model().currentFileURL(), path);
    EXPECT_FALSE(model().isDirty());
}

TEST_F(FilesAndUnsavedWork, BadFilesAreReportedAndTheTextStays)
{
    model().completeScriptExport(temporaryPath(QStringLiteral("kept.md")));
    const QString kept = model().scriptText();
    const QString binary = temporaryPath(QStringLiteral("picture.md"));
    writeFile(binary, QByteArray("\x89PNG\r\n\x1a\n\xff\xfe\x00\x01", 12));
    const QString latin1 = temporaryPath(QStringLiteral("latin1.txt"));
    writeFile(latin1, "caf\xe9");
    // (A missing file cannot be chosen in the panel; the path argument test covers it.)
    for (const QString &path : { binary, latin1 }) {
        model().setStatusMessage(QString());
        trigger(QStringLiteral("開啟講稿..."));
        finishOpenPanel(path);
        EXPECT_TRUE(model().statusMessage().startsWith(QStringLiteral("開啟失敗："))) << path.toStdString();
        EXPECT_EQ(model().scriptText(), kept);
        EXPECT_EQ(window().panel().editor().text(), kept);
    }
}

TEST_F(FilesAndUnsavedWork, AHugePasteArrivesWhole)
{
    const QString huge = QString(100000, u'講');
    QGuiApplication::clipboard()->setText(huge);
    ClickReportingTextView &editor = window().panel().editor().textView();
    focus(editor);
    editor.selectAll();
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(model().scriptText(), huge);
    EXPECT_EQ(window().panel().editor().text(), huge);
}

TEST(ScriptPathArgument, TheFirstNonOptionArgumentAsALocalPath)
{
    EXPECT_EQ(LumetraApp::scriptPathArgument({ "--style", "/tmp/a.md" }), QStringLiteral("/tmp/a.md"));
    EXPECT_EQ(LumetraApp::scriptPathArgument({ "file:///tmp/%E8%AC%9B.md" }), QStringLiteral("/tmp/講.md"));
    EXPECT_EQ(LumetraApp::scriptPathArgument({ "-x" }), QString());
}

class StartWithAPath : public AppTest { };

TEST_F(StartWithAPath, AMissingFileOrAFolderIsReportedAndTheSampleStays)
{
    const QString sample = model().scriptText();
    for (const QString &path : { temporaryPath(QStringLiteral("不存在.md")), temporaryPath(QString()) }) {
        model().setStatusMessage(QString());
        app().start({ path });
        EXPECT_TRUE(model().statusMessage().startsWith(QStringLiteral("開啟失敗：")))
            << model().statusMessage().toStdString();
        EXPECT_EQ(model().scriptText(), sample);
    }
}

TEST_F(StartWithAPath, AnExistingFileIsOpened)
{
    const QString path = temporaryPath(QStringLiteral("演講.md"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# 一\n\n第一句。");
    file.close();
    app().start({ path });
    EXPECT_EQ(model().scriptText(), QStringLiteral("# 一\n\n第一句。"));
    EXPECT_EQ(model().documentTitle(), QStringLiteral("演講.md"));
}

} // namespace
} // namespace lumetra::testing
