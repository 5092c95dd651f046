#include "FakeCaptureBackend.h"
#include "ModelTestSupport.h"
#include "PermissionService.h"
#include "RecordingSettingsStore.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::testing::FakeCaptureBackend;

namespace {

class NothingRestricted final : public SystemAccessProbe {
public:
    bool isRestricted(PermissionKind) const override { return false; }
};

class ModelRecordingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        lumetra::testing::clearStoredSettings();
        ASSERT_TRUE(outputFolder.isValid());
        QSettings settings;
        settings.setValue(RecordingSettingsStore::outputDirectoryKey, outputFolder.path());
        settings.setValue(RecordingSettingsStore::modeKey, QStringLiteral("audioOnly"));
        permissions.setDecision(PermissionKind::microphone, true);
        auto backendOwner = std::make_unique<FakeCaptureBackend>();
        backend = backendOwner.get();
        model = std::make_unique<PrompterViewModel>(
            std::make_unique<RecordingEngine>(std::move(backendOwner), &permissions));
    }

    QTemporaryDir outputFolder;
    PermissionService permissions { nullptr, std::make_shared<NothingRestricted>() };
    FakeCaptureBackend *backend = nullptr;
    std::unique_ptr<PrompterViewModel> model;
};

} // namespace

TEST_F(ModelRecordingTest, ToggleStartsThenStopsAndTheModelAnnouncesEachEngineChange)
{
    RecordingEngine &engine = model->recordingEngine();
    ASSERT_EQ(engine.mode(), RecordingMode::audioOnly);
    QSignalSpy announced(model.get(), &PrompterViewModel::recordingEngineChanged);

    model->toggleRecording();
    EXPECT_FALSE(engine.isRecording()) << "the toggle returns before the recording starts";
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine.isRecording(); }, 3000)) << engine.statusMessage().toStdString();
    EXPECT_GT(announced.count(), 0);
    const QString path = engine.activeOutputURL().toLocalFile();

    const auto beforeStop = announced.count();
    model->toggleRecording();
    ASSERT_TRUE(QTest::qWaitFor([&] { return backend->calls.contains(QStringLiteral("stopAudio")); }, 3000));
    backend->finishAudio(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !engine.isRecording(); }, 3000));
    EXPECT_GT(announced.count(), beforeStop);
    EXPECT_EQ(engine.lastOutputURL(), QUrl::fromLocalFile(path));
}

TEST_F(ModelRecordingTest, TheEngineLivesAsLongAsTheModel)
{
    QPointer<RecordingEngine> engine(&model->recordingEngine());
    model->toggleRecording();
    model.reset();
    EXPECT_TRUE(engine.isNull());
    QTest::qWait(20); // the pending toggle finds no engine and does nothing
}
