#include "PermissionService.h"
#include "ScriptedConsentPrompter.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <set>

using namespace lumetra;
using lumetra::testing::ScriptedConsentPrompter;

namespace {

class FakeProbe final : public SystemAccessProbe {
public:
    bool isRestricted(PermissionKind kind) const override { return restricted.count(kind) > 0; }
    std::set<PermissionKind> restricted;
};

class PermissionServiceTest : public ::testing::Test {
protected:
    void SetUp() override { QSettings().clear(); }

    std::optional<bool> requestAndWait(PermissionService &service, PermissionKind kind)
    {
        std::optional<bool> result;
        QObject context;
        service.request(kind, &context, [&](bool granted) { result = granted; });
        EXPECT_FALSE(result.has_value()) << "the answer never arrives inside request()";
        if (!QTest::qWaitFor([&] { return result.has_value(); }, 2000))
            ADD_FAILURE() << "no answer arrived";
        return result;
    }

    ScriptedConsentPrompter prompter;
    std::shared_ptr<FakeProbe> probe = std::make_shared<FakeProbe>();
};

} // namespace

TEST_F(PermissionServiceTest, AsksOnlyWhileNotDeterminedAndKeepsTheDecision)
{
    PermissionService service(&prompter, probe);
    EXPECT_EQ(service.status(PermissionKind::microphone), PermissionStatus::notDetermined);
    EXPECT_TRUE(prompter.asked.empty()) << "reading a status never asks";

    prompter.answers = {true};
    EXPECT_EQ(requestAndWait(service, PermissionKind::microphone), true);
    EXPECT_EQ(service.status(PermissionKind::microphone), PermissionStatus::authorized);
    EXPECT_EQ(requestAndWait(service, PermissionKind::microphone), true);
    EXPECT_EQ(prompter.asked.size(), 1u);

    prompter.answers = {false};
    EXPECT_EQ(requestAndWait(service, PermissionKind::camera), false);
    EXPECT_EQ(requestAndWait(service, PermissionKind::camera), false);
    EXPECT_EQ(prompter.asked.size(), 2u) << "a denied permission is not asked again";

    // Decisions live in the settings store, so a new service (a new run) sees them.
    PermissionService later(&prompter, probe);
    EXPECT_EQ(later.status(PermissionKind::microphone), PermissionStatus::authorized);
    EXPECT_EQ(later.status(PermissionKind::camera), PermissionStatus::denied);
    EXPECT_EQ(later.status(PermissionKind::speech), PermissionStatus::notDetermined);
}

TEST_F(PermissionServiceTest, RestrictedRefusesWithoutAskingWhateverWasDecided)
{
    PermissionService service(&prompter, probe);
    service.setDecision(PermissionKind::camera, true);
    probe->restricted = {PermissionKind::camera, PermissionKind::speech};
    EXPECT_EQ(service.status(PermissionKind::camera), PermissionStatus::restricted);
    EXPECT_EQ(requestAndWait(service, PermissionKind::camera), false);
    EXPECT_EQ(requestAndWait(service, PermissionKind::speech), false);
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(PermissionServiceTest, DecisionChangesAreSignalledAndAnUnknownStoredValueIsNotDetermined)
{
    PermissionService service(&prompter, probe);
    int changes = 0;
    QObject::connect(&service, &PermissionService::statusChanged, [&](PermissionKind kind) {
        EXPECT_EQ(kind, PermissionKind::speech);
        ++changes;
    });
    service.setDecision(PermissionKind::speech, false);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(service.status(PermissionKind::speech), PermissionStatus::denied);
    QSettings().setValue(PermissionService::settingsKey(PermissionKind::speech), QStringLiteral("maybe"));
    EXPECT_EQ(service.status(PermissionKind::speech), PermissionStatus::notDetermined);
}

TEST_F(PermissionServiceTest, NoAnswerReachesAContextThatIsGone)
{
    PermissionService service(&prompter, probe);
    prompter.answers = {true};
    bool called = false;
    {
        QObject context;
        service.request(PermissionKind::speech, &context, [&](bool) { called = true; });
    }
    QTest::qWait(50);
    EXPECT_FALSE(called);
    EXPECT_EQ(service.status(PermissionKind::speech), PermissionStatus::authorized) << "the decision is still kept";
}

TEST(LinuxSystemAccessProbe, SpeechIsNeverRestrictedAndAMissingAudioServerIs)
{
    const LinuxSystemAccessProbe probe;
    EXPECT_FALSE(probe.isRestricted(PermissionKind::speech));
    const QByteArray saved = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/lumetra/native");
    EXPECT_TRUE(probe.isRestricted(PermissionKind::microphone));
    if (saved.isEmpty())
        qunsetenv("PULSE_SERVER");
    else
        qputenv("PULSE_SERVER", saved);
}
