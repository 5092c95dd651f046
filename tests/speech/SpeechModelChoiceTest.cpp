#include "EnvironmentOverride.h"
#include "FakeAudioSource.h"
#include "NeverRestrictedProbe.h"
#include "OfflineSpeechVoiceSyncEngine.h"
#include "PermissionService.h"
#include "PocketSphinxRecognizer.h"
#include "ScriptedConsentPrompter.h"
#include "SpeechModel.h"
#include "SpeechModelLocator.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumetra;

namespace {

const QString zhTwScript = QStringLiteral("# 開場\n\n各位早安，今天我們說說新的提詞機。AI 讓它聽得懂 2 種語言。");
const QString englishScript = QStringLiteral("# Launch\n\nGood morning, today we talk about the new prompter.");

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// The layout of a model as it is unpacked, with placeholder contents: enough to be found, not to
// be loaded. `acoustic` empty: the acoustic files lie in the model folder itself.
QString makeModel(
    const QString &folder, const QString &acoustic, const QString &dictionary, const QString &languageModel = QString())
{
    const QString acousticFolder = acoustic.isEmpty() ? folder : folder + QLatin1Char('/') + acoustic;
    for (const char *name : { "mdef", "means", "variances", "transition_matrices", "mixture_weights" })
        writeFile(acousticFolder + QLatin1Char('/') + QLatin1String(name), "x");
    writeFile(folder + QLatin1Char('/') + dictionary, "word W ER D\n");
    if (!languageModel.isEmpty())
        writeFile(folder + QLatin1Char('/') + languageModel, "x");
    return QDir(folder).absolutePath();
}

QString makeMandarinModel(const QString &root)
{
    return makeModel(root + QStringLiteral("/cmusphinx-zh-cn-5.2"), QStringLiteral("zh_cn.cd_cont_5000"),
        QStringLiteral("zh_cn.dic"), QStringLiteral("zh_cn.lm.bin"));
}

QString makeEnglishModel(const QString &root)
{
    return makeModel(root + QStringLiteral("/en-us"), QStringLiteral("en-us"), QStringLiteral("cmudict-en-us.dict"),
        QStringLiteral("en-us.lm.bin"));
}

// No settings and no environment variable: only the models found choose.
class SpeechModelChoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings().clear();
        qunsetenv(SpeechModelLocator::environmentVariable);
    }
    void TearDown() override { QSettings().clear(); }

    QTemporaryDir m_home;
    QString m_user = m_home.filePath(QStringLiteral("user/zh-TW"));
    QString m_system = m_home.filePath(QStringLiteral("system"));
};

} // namespace

TEST(SpeechModelLanguageTest, TheTagComesFromTheModelsFilesBeforeItsFolder)
{
    QTemporaryDir root;
    const QString mandarin = makeMandarinModel(root.path());
    ASSERT_TRUE(SpeechModel::inFolder(mandarin));
    EXPECT_EQ(SpeechModel::inFolder(mandarin)->languageTag, QStringLiteral("zh-CN"));
    EXPECT_EQ(SpeechModel::languageTagOf(mandarin), QStringLiteral("zh-CN"));

    // Renamed folder: the files still tell; files that say nothing leave it to the folder's name.
    const QString renamed = makeModel(
        root.filePath(QStringLiteral("mandarin")), QStringLiteral("zh_cn.cd_cont_5000"), QStringLiteral("words.dic"));
    EXPECT_EQ(SpeechModel::inFolder(renamed)->languageTag, QStringLiteral("zh-CN"));
    const QString named
        = makeModel(root.filePath(QStringLiteral("zh-TW")), QStringLiteral("acoustic"), QStringLiteral("words.dict"));
    EXPECT_EQ(SpeechModel::inFolder(named)->languageTag, QStringLiteral("zh-TW"));
    const QString silent
        = makeModel(root.filePath(QStringLiteral("speech-model")), QString(), QStringLiteral("words.dict"));
    EXPECT_EQ(SpeechModel::inFolder(silent)->languageTag, QString()) << "nothing plausible is shown";
    EXPECT_EQ(SpeechModel::languageTagOf(root.filePath(QStringLiteral("no/such/zh_tw"))), QStringLiteral("zh-TW"));

    EXPECT_EQ(SpeechModel::languageTagIn(QStringLiteral("cmudict-en-us")), QStringLiteral("en-US"));
    EXPECT_EQ(SpeechModel::languageTagIn(QStringLiteral("zh_broadcastnews_utf8")), QStringLiteral("zh"));
    EXPECT_EQ(SpeechModel::languageTagIn(QStringLiteral("zh-hant-tw")), QStringLiteral("zh-Hant-TW"));
    EXPECT_EQ(SpeechModel::languageTagIn(QStringLiteral("yue_HK.dic")), QStringLiteral("yue-HK"));
    for (const char *nothing : { "", "model", "bin", "xq-zz", "cont_5000", "mdef" })
        EXPECT_EQ(SpeechModel::languageTagIn(QLatin1String(nothing)), QString()) << nothing;
}

TEST(SpeechModelLanguageTest, TheEngineIsNamedAfterTheModelsLanguage)
{
    QTemporaryDir root;
    lumetra::testing::ScriptedConsentPrompter prompter;
    PermissionService permissions(&prompter);
    const OfflineSpeechVoiceSyncEngine mandarin(&permissions,
        std::make_unique<PocketSphinxRecognizer>(makeMandarinModel(root.path())),
        new lumetra::testing::FakeAudioSource);
    EXPECT_EQ(mandarin.name(), QStringLiteral("離線語音辨識 zh-CN"));
    const OfflineSpeechVoiceSyncEngine unnamed(&permissions,
        std::make_unique<PocketSphinxRecognizer>(
            makeModel(root.filePath(QStringLiteral("speech-model")), QString(), QStringLiteral("words.dict"))),
        new lumetra::testing::FakeAudioSource);
    EXPECT_EQ(unnamed.name(), QStringLiteral("離線語音辨識"));
}

TEST_F(SpeechModelChoiceTest, AChineseScriptTakesOnlyAChineseModel)
{
    const SpeechModelLocator locator(m_user, { m_system, m_home.filePath(QStringLiteral("none")) });
    EXPECT_EQ(locator.locate(zhTwScript), std::nullopt) << "no model at all";

    const QString english = makeEnglishModel(m_system);
    EXPECT_EQ(locator.locate(zhTwScript), std::nullopt) << "an English model would listen deaf";
    EXPECT_EQ(locator.locate(englishScript), english);
    EXPECT_EQ(locator.locate(QString()), english) << "without a script any model does";

    // Unpacked into the user's folder as distributed, in a folder of its own.
    const QString mandarin = makeMandarinModel(m_user);
    EXPECT_EQ(locator.locate(zhTwScript), mandarin);
    EXPECT_EQ(locator.locate(QStringLiteral("简体中文的稿子")), mandarin);
    EXPECT_EQ(locator.locate(englishScript), english) << "English still prefers the English model";
    EXPECT_EQ(locator.locate(QStringLiteral("Добрый день, коллеги")), mandarin) << "then the first model found";
}

TEST_F(SpeechModelChoiceTest, TheUsersFolderMayHoldTheModelItself)
{
    makeEnglishModel(m_system);
    const QString mandarin = makeModel(
        m_user, QStringLiteral("zh_cn.cd_cont_5000"), QStringLiteral("zh_cn.dic"), QStringLiteral("zh_cn.lm.bin"));
    EXPECT_EQ(SpeechModelLocator(m_user, { m_system }).locate(zhTwScript), mandarin);
}

TEST_F(SpeechModelChoiceTest, AnExplicitChoiceWinsWhateverTheScript)
{
    const QString english = makeEnglishModel(m_system);
    const QString mandarin = makeMandarinModel(m_system);
    const SpeechModelLocator locator(m_user, { m_system });
    EXPECT_EQ(locator.locate(zhTwScript), mandarin);
    EXPECT_EQ(locator.locate(englishScript), english);

    QSettings().setValue(SpeechModelLocator::settingsKey(), english);
    EXPECT_EQ(locator.locate(zhTwScript), english) << "the folder chosen in the settings";
    QSettings().setValue(SpeechModelLocator::settingsKey(), QStringLiteral("/chosen/but/gone"));
    EXPECT_EQ(locator.locate(zhTwScript), QStringLiteral("/chosen/but/gone")) << "reported, not replaced";
    {
        lumetra::testing::EnvironmentOverride variable(SpeechModelLocator::environmentVariable, mandarin.toUtf8());
        EXPECT_EQ(locator.locate(englishScript), mandarin);
    }
}

// A zh-TW script on a machine with only an English model: Voice Sync does not start deaf.
TEST_F(SpeechModelChoiceTest, TheEngineRefusesAChineseScriptWithoutAChineseModel)
{
    lumetra::testing::ScriptedConsentPrompter prompter;
    prompter.answers = { true, true };
    PermissionService permissions(&prompter, std::make_shared<lumetra::testing::NeverRestrictedProbe>());
    auto *audio = new lumetra::testing::FakeAudioSource;
    makeEnglishModel(m_system);
    OfflineSpeechVoiceSyncEngine engine(
        &permissions, std::make_unique<PocketSphinxRecognizer>(SpeechModelLocator(m_user, { m_system })), audio);
    engine.setScriptText(zhTwScript);

    std::optional<std::optional<VoiceSyncError>> outcome;
    engine.start([&](std::optional<VoiceSyncError> error) { outcome = error; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 10000));
    ASSERT_TRUE(outcome->has_value());
    EXPECT_EQ((*outcome)->description(), QStringLiteral("中文語音辨識器目前不可用"));
    EXPECT_EQ(audio->starts, 0);
    EXPECT_FALSE(engine.shouldKeepRunning());
}
