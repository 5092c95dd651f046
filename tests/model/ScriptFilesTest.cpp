#include "ModelTestSupport.h"
#include "PrompterViewModel.h"
#include "ScriptFileDocument.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::frameTime;
using lumetra::testing::scriptWithChunks;

namespace {

class ScriptFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        lumetra::testing::clearStoredSettings();
        ASSERT_TRUE(folder.isValid());
    }

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

const QByteArray latin1Bytes = QByteArray("# Caf\xe9\n\nd\xe9j\xe0 vu.");

TEST_F(ScriptFilesTest, DocumentReadsStrictUtf8)
{
    const auto crlf = ScriptFileDocument::read(writeFile(QStringLiteral("a.md"), "# A\r\n\r\n一。"));
    ASSERT_TRUE(std::holds_alternative<ScriptFileDocument>(crlf));
    EXPECT_EQ(std::get<ScriptFileDocument>(crlf).text, QStringLiteral("# A\r\n\r\n一。")); // line ends as read

    const auto bom = ScriptFileDocument::read(writeFile(QStringLiteral("bom.md"), "\xef\xbb\xbf# A"));
    ASSERT_TRUE(std::holds_alternative<ScriptFileDocument>(bom));
    EXPECT_EQ(std::get<ScriptFileDocument>(bom).text, QStringLiteral("# A"));

    const auto empty = ScriptFileDocument::read(writeFile(QStringLiteral("empty.txt"), QByteArray()));
    ASSERT_TRUE(std::holds_alternative<ScriptFileDocument>(empty));
    EXPECT_TRUE(std::get<ScriptFileDocument>(empty).text.isEmpty());

    const auto readError = [](const auto &result) { return std::get<ScriptFileError>(result).description; };
    EXPECT_EQ(readError(ScriptFileDocument::read(writeFile(QStringLiteral("latin1.txt"), latin1Bytes))),
        QStringLiteral("檔案不是有效的 UTF-8 文字"));
    EXPECT_EQ(readError(ScriptFileDocument::read(writeFile(QStringLiteral("cut.txt"), QByteArray("一二").left(4)))),
        QStringLiteral("檔案不是有效的 UTF-8 文字")); // a sequence cut short at the end
    EXPECT_EQ(readError(ScriptFileDocument::read(writeFile(QStringLiteral("overlong.txt"), "\xc0\xaf"))),
        QStringLiteral("檔案不是有效的 UTF-8 文字"));
    EXPECT_EQ(readError(ScriptFileDocument::read(folder.filePath(QStringLiteral("missing.md")))),
        QStringLiteral("檔案不存在"));
    EXPECT_EQ(readError(ScriptFileDocument::read(folder.path())), QStringLiteral("這不是一般檔案"));
}

TEST_F(ScriptFilesTest, DocumentWritesTheExactBytesAndReplacesTheWholeFile)
{
    const QString path = writeFile(QStringLiteral("out.md"), QByteArray(4096, 'x'));
    const QString text = QStringLiteral("# 標題\r\n\r\n😀 e\u0301。\r最後");
    ASSERT_FALSE(ScriptFileDocument { text }.write(path).has_value());
    EXPECT_EQ(contents(path), text.toUtf8());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList { QStringLiteral("out.md") }); // no leftovers
}

TEST_F(ScriptFilesTest, DocumentWriteFailuresSayWhy)
{
    const QString plainFile = writeFile(QStringLiteral("not-a-folder"), "x");
    EXPECT_EQ(ScriptFileDocument { QStringLiteral("一") }.write(plainFile + QStringLiteral("/a.md"))->description,
        QStringLiteral("儲存位置不是資料夾"));
    EXPECT_EQ(
        ScriptFileDocument { QStringLiteral("一") }.write(folder.filePath(QStringLiteral("no/such/a.md")))->description,
        QStringLiteral("找不到要儲存的資料夾"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("taken.md")));
    EXPECT_EQ(
        ScriptFileDocument { QStringLiteral("一") }.write(folder.filePath(QStringLiteral("taken.md")))->description,
        QStringLiteral("已有同名的資料夾"));
}

TEST_F(ScriptFilesTest, OpeningNormalisesLineEndsAndNamesTheFile)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    QSignalSpy dirty(&model, &PrompterViewModel::isDirtyChanged);
    const QString path
        = writeFile(QStringLiteral("講稿.txt"), QByteArray("# 甲\r\n\r\n一。\r\n\r\n二。\r\n").append("\r\r三。"));
    model.completeScriptImport(QStringList { path });
    EXPECT_EQ(model.scriptText(), QStringLiteral("# 甲\n\n一。\n\n二。\n\n\n三。"));
    EXPECT_EQ(model.paragraphs().size(), 3u);
    EXPECT_EQ(model.currentFileURL(), path);
    EXPECT_EQ(model.documentTitle(), QStringLiteral("講稿.txt"));
    EXPECT_EQ(model.suggestedScriptFilename(), QStringLiteral("講稿.txt"));
    EXPECT_FALSE(model.isDirty());
    EXPECT_EQ(dirty.count(), 0); // the replacement never marked the text as changed
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已開啟 講稿.txt"));
    EXPECT_FALSE(model.isApplyingFileChange());
}

TEST_F(ScriptFilesTest, TheSameTextAssignedAgainIsNoEdit)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    model.completeScriptImport(QStringList { writeFile(QStringLiteral("a.md"), "# 甲\r\n\r\n一。") });
    QSignalSpy document(&model, &PrompterViewModel::documentChanged);
    model.setScriptText(model.scriptText()); // what an editor echoing the opened text does
    EXPECT_FALSE(model.isDirty());
    EXPECT_EQ(document.count(), 0);
    model.setScriptText(model.scriptText() + QStringLiteral("二"));
    EXPECT_TRUE(model.isDirty());
}

TEST_F(ScriptFilesTest, OpeningWhilePlayingStopsAndClampsToTheNewText)
{
    PrompterViewModel model(scriptWithChunks(20), lumetra::testing::idleRecordingEngine());
    model.scrollToParagraph(15, false);
    model.play();
    model.advanceScroll(frameTime(0));
    model.completeScriptImport(QStringList { writeFile(QStringLiteral("short.md"), scriptWithChunks(4).toUtf8()) });
    EXPECT_FALSE(model.isPlaying());
    EXPECT_FALSE(model.lastTickDate().has_value());
    EXPECT_DOUBLE_EQ(model.scrollOffset(), model.readingContentY(3)); // clamped, not reset to the top
}

TEST_F(ScriptFilesTest, FailedOpensLeaveEverythingButTheStatus)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    model.setScriptText(model.scriptText() + QStringLiteral("改"));
    const QString before = model.scriptText();

    model.completeScriptImport(QStringList { writeFile(QStringLiteral("latin1.txt"), latin1Bytes) });
    EXPECT_EQ(model.statusMessage(), QStringLiteral("開啟失敗：檔案不是有效的 UTF-8 文字"));
    model.completeScriptImport(QStringList { folder.filePath(QStringLiteral("gone.md")) });
    EXPECT_EQ(model.statusMessage(), QStringLiteral("開啟失敗：檔案不存在"));
    model.completeScriptImport(ScriptFileError { QStringLiteral("面板無法開啟") });
    EXPECT_EQ(model.statusMessage(), QStringLiteral("開啟失敗：面板無法開啟"));

    EXPECT_EQ(model.scriptText(), before);
    EXPECT_TRUE(model.isDirty());
    EXPECT_TRUE(model.currentFileURL().isEmpty());

    model.setStatusMessage(QStringLiteral("不變"));
    model.completeScriptImport(QStringList {}); // the panel returned no file
    EXPECT_EQ(model.statusMessage(), QStringLiteral("不變"));
}

TEST_F(ScriptFilesTest, NewScriptIsUnsavedAndSavingAsksForALocation)
{
    PrompterViewModel model(scriptWithChunks(3), lumetra::testing::idleRecordingEngine());
    model.completeScriptImport(QStringList { writeFile(QStringLiteral("old.md"), "# 舊\n\n舊。") });
    model.play();
    model.newScript();
    EXPECT_FALSE(model.isPlaying());
    EXPECT_EQ(model.scriptText(), QStringLiteral("# 新講稿\n\n在這裡貼上你的口播稿。"));
    EXPECT_EQ(model.documentTitle(), QStringLiteral("未命名講稿"));
    EXPECT_EQ(model.suggestedScriptFilename(), QStringLiteral("script.md"));
    EXPECT_TRUE(model.isDirty());
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已建立新講稿"));

    QSignalSpy exporter(&model, &PrompterViewModel::isPresentingScriptExporterChanged);
    model.saveScript();
    EXPECT_TRUE(model.isPresentingScriptExporter());
    EXPECT_EQ(exporter.count(), 1);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList { QStringLiteral("old.md") }); // nothing written
}

TEST_F(ScriptFilesTest, EditSaveAndFailedSaveDriveTheDirtyFlag)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("scripts")));
    const QString path = writeFile(QStringLiteral("scripts/talk.md"), "# 甲\n\n一。");

    PrompterViewModel model(scriptWithChunks(1), lumetra::testing::idleRecordingEngine());
    model.completeScriptImport(QStringList { path });
    model.setScriptText(model.scriptText() + QStringLiteral("二"));
    EXPECT_TRUE(model.isDirty());

    model.saveScript();
    EXPECT_FALSE(model.isDirty());
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已儲存 talk.md"));
    EXPECT_EQ(contents(path), QByteArray("# 甲\n\n一。二"));

    // The folder is replaced by a regular file of the same name: the write fails for real.
    model.setScriptText(model.scriptText() + QStringLiteral("三"));
    ASSERT_TRUE(QDir(folder.filePath(QStringLiteral("scripts"))).removeRecursively());
    writeFile(QStringLiteral("scripts"), "blocker");
    model.saveScript();
    EXPECT_EQ(model.statusMessage(), QStringLiteral("儲存失敗：儲存位置不是資料夾"));
    EXPECT_TRUE(model.isDirty());
    EXPECT_EQ(model.scriptText(), QStringLiteral("# 甲\n\n一。二三"));
    EXPECT_EQ(model.currentFileURL(), path);
}

TEST_F(ScriptFilesTest, SaveAsAdoptsTheWrittenFile)
{
    PrompterViewModel model(scriptWithChunks(2), lumetra::testing::idleRecordingEngine());
    model.newScript();
    model.setIsPresentingScriptExporter(true);

    model.completeScriptExport(ScriptFileError { QStringLiteral("沒有權限寫入這個資料夾") });
    EXPECT_EQ(model.statusMessage(), QStringLiteral("儲存失敗：沒有權限寫入這個資料夾"));
    EXPECT_TRUE(model.isDirty());
    EXPECT_TRUE(model.currentFileURL().isEmpty());

    const QString path = folder.filePath(QStringLiteral("新.md"));
    ASSERT_FALSE(ScriptFileDocument { model.scriptText() }.write(path).has_value());
    model.completeScriptExport(path);
    EXPECT_EQ(model.currentFileURL(), path);
    EXPECT_FALSE(model.isDirty());
    EXPECT_EQ(model.statusMessage(), QStringLiteral("已儲存 新.md"));
    EXPECT_EQ(model.documentTitle(), QStringLiteral("新.md"));

    model.setScriptText(QStringLiteral("# 改\n\n好。"));
    model.saveScript(); // now writes there directly
    EXPECT_EQ(contents(path), QByteArray("# 改\n\n好。"));
    EXPECT_FALSE(model.isDirty());
}

} // namespace
