#include "SpeechModel.h"
#include "FakeAudioSource.h"
#include "NeverRestrictedProbe.h"
#include "OfflineSpeechVoiceSyncEngine.h"
#include "PermissionService.h"
#include "PocketSphinxRecognizer.h"
#include "ScriptedConsentPrompter.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumetra;

namespace {

const QString debianModel = QStringLiteral("/usr/share/pocketsphinx/model/en-us");

// A copy of Debian's English model in a folder of our own, to break on purpose.
class ModelCopy {
public:
    explicit ModelCopy(const QString &name)
        : m_folder(m_root.filePath(name))
    {
        QDir().mkpath(m_folder + QStringLiteral("/acoustic"));
        const QDir source(debianModel + QStringLiteral("/en-us"));
        for (const QString &file : source.entryList(QDir::Files))
            QFile::copy(source.filePath(file), m_folder + QStringLiteral("/acoustic/") + file);
        QFile::copy(debianModel + QStringLiteral("/cmudict-en-us.dict"), m_folder + QStringLiteral("/words.dict"));
    }

    QString folder() const { return m_folder; }
    void overwrite(const QString &relativePath, const QByteArray &content) const
    {
        QFile file(m_folder + QLatin1Char('/') + relativePath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    void remove(const QString &relativePath) const { QFile::remove(m_folder + QLatin1Char('/') + relativePath); }

private:
    QTemporaryDir m_root;
    QString m_folder;
};

} // namespace

TEST(SpeechModelTest, ReadsDebiansLayout)
{
    const auto model = SpeechModel::inFolder(debianModel);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->acousticModel, debianModel + QStringLiteral("/en-us"));
    EXPECT_EQ(model->dictionary, debianModel + QStringLiteral("/cmudict-en-us.dict"));
    EXPECT_EQ(model->generalLanguageModel, debianModel + QStringLiteral("/en-us.lm.bin"));
    EXPECT_EQ(model->languageTag, QStringLiteral("en-US"));
}

TEST(SpeechModelTest, MissingPartialAndCorruptModelsAreUnavailableWithoutHarm)
{
    EXPECT_FALSE(PocketSphinxRecognizer(std::nullopt).isAvailable(QString()));
    EXPECT_FALSE(PocketSphinxRecognizer(QStringLiteral("/no/such/model")).isAvailable(QString()));
    EXPECT_EQ(PocketSphinxRecognizer(QStringLiteral("/no/such/zh_tw")).languageTag(), QStringLiteral("zh-TW"));

    const ModelCopy partial(QStringLiteral("en-us"));
    partial.remove(QStringLiteral("acoustic/means"));
    EXPECT_FALSE(SpeechModel::inFolder(partial.folder()));
    EXPECT_FALSE(PocketSphinxRecognizer(partial.folder()).isAvailable(QString()));

    const ModelCopy noDictionary(QStringLiteral("en-us"));
    noDictionary.overwrite(QStringLiteral("words.dict"), "wordswithoutphones\nanother\n");
    EXPECT_FALSE(PocketSphinxRecognizer(noDictionary.folder()).isAvailable(QString()));

    // Files present but garbage: the library would end the process while loading them.
    for (const QString &damaged : { QStringLiteral("acoustic/means"), QStringLiteral("acoustic/mdef") }) {
        const ModelCopy corrupt(QStringLiteral("en-us"));
        corrupt.overwrite(damaged, QByteArray(4096, 'x'));
        ASSERT_TRUE(SpeechModel::inFolder(corrupt.folder())) << "the layout alone looks complete";
        PocketSphinxRecognizer recognizer(corrupt.folder());
        EXPECT_FALSE(recognizer.isAvailable(QString())) << damaged.toStdString();
        EXPECT_EQ(recognizer.startRun(QStringLiteral("hello"), {}), nullptr);
    }

    const ModelCopy intact(QStringLiteral("en-us"));
    EXPECT_TRUE(PocketSphinxRecognizer(intact.folder()).isAvailable(QString()));
}

TEST(SpeechModelTest, TheEngineReportsAnUnusableModelAsRecognizerUnavailable)
{
    QSettings().clear();
    lumetra::testing::ScriptedConsentPrompter prompter;
    prompter.answers = { true, true };
    PermissionService permissions(&prompter, std::make_shared<lumetra::testing::NeverRestrictedProbe>());
    auto *audio = new lumetra::testing::FakeAudioSource;
    const ModelCopy corrupt(QStringLiteral("zh-TW"));
    corrupt.overwrite(QStringLiteral("acoustic/means"), "s3\nbroken");
    OfflineSpeechVoiceSyncEngine engine(
        &permissions, std::make_unique<PocketSphinxRecognizer>(corrupt.folder()), audio);
    EXPECT_EQ(engine.name(), QStringLiteral("離線語音辨識 zh-TW"));

    std::optional<std::optional<VoiceSyncError>> outcome;
    engine.start([&](std::optional<VoiceSyncError> error) { outcome = error; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 60000));
    ASSERT_TRUE(outcome->has_value());
    EXPECT_EQ(**outcome, VoiceSyncError::recognizerUnavailable());
    EXPECT_EQ((*outcome)->description(), QStringLiteral("中文語音辨識器目前不可用"));
    EXPECT_EQ(audio->starts, 0);
}

// A dictionary with lines the acoustic model cannot use: the run is built from what is usable.
TEST(SpeechModelTest, ARunStartsOnADictionaryWithUnusableEntries)
{
    const ModelCopy model(QStringLiteral("en-us"));
    model.overwrite(QStringLiteral("words.dict"),
        "hello HH AH L OW\nhello HH AH L OW\nhello(2) HH EH L OW\n\xe4\xbd\xa0\xe5\xa5\xbd N I3 H AO3\n"
        "world W ER L D\nbroken\n(2) AH\n\xe8\xaf\xb4 sh uo1\r\nmixed W ER XX1 D\n");
    PocketSphinxRecognizer recognizer(model.folder());
    const QString script = QStringLiteral("Hello 你好 world! 說 mixed 2024.");
    ASSERT_TRUE(recognizer.isAvailable(script));
    std::atomic<int> errors = 0;
    const auto run
        = recognizer.startRun(script, [&](std::optional<RecognitionResult>, bool error) { errors += error; });
    ASSERT_NE(run, nullptr);
    run->append(std::vector<std::int16_t>(16000, 0));
    run->endAudio();
    QTest::qWait(300);
    run->cancel();
    EXPECT_EQ(errors, 0);
}
