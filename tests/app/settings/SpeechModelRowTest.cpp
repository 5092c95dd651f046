#include "settings/SpeechModelRow.h"
#include "FakeDesktopFiles.h"
#include "QStringPrinter.h"
#include "SpeechModel.h"
#include "SpeechModelLocator.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::FakeDesktopFiles;

namespace {

// A complete model as Debian installs it: a folder a presenter could point at.
const QString installedModel = QStringLiteral("/usr/share/pocketsphinx/model/en-us");

class SpeechModelRowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings().clear();
        m_environment = qgetenv(SpeechModelLocator::environmentVariable);
        qunsetenv(SpeechModelLocator::environmentVariable);
        ASSERT_TRUE(places.isValid());
    }
    void TearDown() override
    {
        if (!m_environment.isEmpty())
            qputenv(SpeechModelLocator::environmentVariable, m_environment);
    }

    // A row that finds models only in the given places, none of which holds one yet.
    std::unique_ptr<SpeechModelRow> makeRow()
    {
        auto row = std::make_unique<SpeechModelRow>();
        row->setFolderChooser(&chooser);
        row->setModelLocator(emptyPlaces());
        return row;
    }
    SpeechModelLocator emptyPlaces() const
    {
        return SpeechModelLocator(
            places.filePath(QStringLiteral("user/zh-TW")), { places.filePath(QStringLiteral("system")) });
    }
    QString storedFolder() const { return QSettings().value(SpeechModelLocator::settingsKey()).toString(); }

    QTemporaryDir places;
    FakeDesktopFiles chooser;

private:
    QByteArray m_environment;
};

TEST_F(SpeechModelRowTest, WithoutAModelItSaysSoAndWhereOneGoes)
{
    const auto row = makeRow();
    EXPECT_EQ(row->modelLabel()->text(), QStringLiteral("未安裝語音模型"));
    EXPECT_FALSE(row->hintLabel()->isHidden());
    EXPECT_TRUE(row->hintLabel()->text().contains(QStringLiteral("~/.local/share/Lumetra/speech/zh-TW")));
    EXPECT_TRUE(row->hintLabel()->text().contains(QStringLiteral("PocketSphinx")));
}

TEST_F(SpeechModelRowTest, AnEnglishModelAloneIsNoModelForChineseScripts)
{
    if (!SpeechModel::inFolder(installedModel))
        GTEST_SKIP() << "needs Debian's pocketsphinx-en-us";
    SpeechModelRow row;
    row.setModelLocator(
        SpeechModelLocator(places.filePath(QStringLiteral("user/zh-TW")), { QFileInfo(installedModel).path() }));
    EXPECT_EQ(row.modelLabel()->text(), QStringLiteral("未安裝語音模型"));
    EXPECT_FALSE(row.hintLabel()->isHidden());
}

TEST_F(SpeechModelRowTest, AFolderWithoutAModelIsRefusedAndThePreviousChoiceKept)
{
    if (!SpeechModel::inFolder(installedModel))
        GTEST_SKIP() << "needs Debian's pocketsphinx-en-us";
    const auto row = makeRow();
    chooser.answer = QUrl::fromLocalFile(installedModel);
    row->chooseButton()->click();
    ASSERT_EQ(storedFolder(), installedModel);
    EXPECT_EQ(chooser.asked.mid(0, 2),
        (QStringList { QStringLiteral("選擇語音模型資料夾"), QStringLiteral("使用此資料夾") }));
    const QString shownBefore = row->modelLabel()->text();

    const QString empty = places.filePath(QStringLiteral("empty"));
    ASSERT_TRUE(QDir().mkpath(empty));
    chooser.answer = QUrl::fromLocalFile(empty);
    row->chooseButton()->click();
    EXPECT_EQ(storedFolder(), installedModel) << "the good choice stays";
    EXPECT_EQ(row->modelLabel()->text(), shownBefore);
    EXPECT_FALSE(row->statusLabel()->isHidden());
    EXPECT_TRUE(row->statusLabel()->text().contains(QStringLiteral("沒有可用的語音模型")))
        << row->statusLabel()->text().toStdString();
    EXPECT_TRUE(row->statusLabel()->text().contains(empty));
}

TEST_F(SpeechModelRowTest, AGoodFolderIsShownWithItsLanguageAndKeptAcrossARestart)
{
    const auto model = SpeechModel::inFolder(installedModel);
    if (!model)
        GTEST_SKIP() << "needs Debian's pocketsphinx-en-us";
    {
        const auto row = makeRow();
        chooser.answer = QUrl::fromLocalFile(installedModel);
        row->chooseButton()->click();
        EXPECT_TRUE(row->hintLabel()->isHidden());
    }
    // A new run: the stored choice is what the model lookup and the row find.
    EXPECT_EQ(emptyPlaces().locate(), installedModel);
    const auto row = makeRow();
    const QString shown = row->modelLabel()->text();
    EXPECT_TRUE(shown.contains(installedModel)) << shown.toStdString();
    EXPECT_TRUE(shown.contains(model->languageTag)) << shown.toStdString();
    EXPECT_TRUE(row->hintLabel()->isHidden());
}

TEST_F(SpeechModelRowTest, ACancelledChooserChangesNothing)
{
    const auto row = makeRow();
    chooser.answer.reset();
    row->chooseButton()->click();
    EXPECT_FALSE(QSettings().contains(SpeechModelLocator::settingsKey()));
    EXPECT_TRUE(row->statusLabel()->isHidden());
    EXPECT_EQ(row->modelLabel()->text(), QStringLiteral("未安裝語音模型"));
}

} // namespace
