#include "settings/PermissionsPane.h"
#include "PermissionService.h"
#include "QStringPrinter.h"
#include "ScriptedConsentPrompter.h"
#include "settings/PermissionManager.h"
#include "settings/PermissionRow.h"
#include "settings/PrivacyDialog.h"
#include "settings/SettingsView.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

using namespace lumetra;
using lumetra::testing::ScriptedConsentPrompter;

namespace {

// The system refuses exactly the permissions the test names.
class ListedRestrictions final : public SystemAccessProbe {
public:
    bool isRestricted(PermissionKind kind) const override { return restricted.count(kind) > 0; }
    std::set<PermissionKind> restricted;
};

struct ShownRow {
    QString status;
    QString button;
    bool enabled;
};

ShownRow shown(const PermissionRow *row)
{
    return { row->statusLabel()->text(), row->button()->text(), row->button()->isEnabled() };
}

QColor statusColor(const PermissionRow *row)
{
    return row->statusLabel()->palette().color(QPalette::WindowText);
}

class PermissionsPaneTest : public ::testing::Test {
protected:
    void SetUp() override { QSettings().clear(); }

    PermissionsPane &makePane()
    {
        pane = std::make_unique<PermissionsPane>(service);
        pane->resize(540, 400);
        pane->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(pane.get()));
        return *pane;
    }
    PermissionRow *row(PermissionKind kind) const { return pane->row(kind); }

    static bool waitFor(const std::function<bool()> &condition) { return QTest::qWaitFor(condition, 3000); }

    std::shared_ptr<ListedRestrictions> probe = std::make_shared<ListedRestrictions>();
    ScriptedConsentPrompter prompter;
    PermissionService service { &prompter, probe };
    std::unique_ptr<PermissionsPane> pane;
};

TEST(PermissionStateDisplayTest, EveryStateHasItsLabelSymbolColourAndButton)
{
    const PermissionStateDisplay notDetermined = permissionStateDisplay(PermissionState::notDetermined);
    EXPECT_EQ(notDetermined.statusLabel, QStringLiteral("未授權"));
    EXPECT_EQ(notDetermined.statusSymbol, QStringLiteral("exclamationmark.circle"));
    EXPECT_EQ(notDetermined.buttonLabel, QStringLiteral("請求權限"));
    EXPECT_TRUE(notDetermined.prominentButton);
    EXPECT_TRUE(notDetermined.buttonEnabled);

    const PermissionStateDisplay authorized = permissionStateDisplay(PermissionState::authorized);
    EXPECT_EQ(authorized.statusLabel, QStringLiteral("已允許"));
    EXPECT_EQ(authorized.statusSymbol, QStringLiteral("checkmark.circle.fill"));
    EXPECT_EQ(authorized.buttonLabel, QStringLiteral("已授權"));
    EXPECT_FALSE(authorized.prominentButton);
    EXPECT_FALSE(authorized.buttonEnabled);

    const PermissionStateDisplay denied = permissionStateDisplay(PermissionState::denied);
    EXPECT_EQ(denied.statusLabel, QStringLiteral("已拒絕"));
    EXPECT_EQ(denied.statusSymbol, QStringLiteral("xmark.circle.fill"));
    EXPECT_EQ(denied.buttonLabel, QStringLiteral("開啟系統設定"));
    EXPECT_TRUE(denied.buttonEnabled);

    const PermissionStateDisplay restricted = permissionStateDisplay(PermissionState::restricted);
    EXPECT_EQ(restricted.statusLabel, QStringLiteral("系統限制"));
    EXPECT_EQ(restricted.statusSymbol, QStringLiteral("lock.fill"));
    EXPECT_EQ(restricted.buttonLabel, QStringLiteral("系統限制"));
    EXPECT_FALSE(restricted.buttonEnabled);

    // Orange for undecided, green for allowed, the same red for refused and restricted.
    EXPECT_GT(notDetermined.statusColor.red(), notDetermined.statusColor.blue());
    EXPECT_GT(notDetermined.statusColor.green(), notDetermined.statusColor.blue());
    EXPECT_GT(authorized.statusColor.green(), authorized.statusColor.red());
    EXPECT_GT(denied.statusColor.red(), 2 * denied.statusColor.green());
    EXPECT_EQ(denied.statusColor, restricted.statusColor);
    EXPECT_NE(notDetermined.statusColor, denied.statusColor);
}

TEST_F(PermissionsPaneTest, EachRowShowsItsPermissionsStateAndButton)
{
    service.setDecision(PermissionKind::microphone, true);
    service.setDecision(PermissionKind::camera, false);
    probe->restricted = { PermissionKind::speech };
    makePane();

    const ShownRow microphone = shown(row(PermissionKind::microphone));
    EXPECT_EQ(microphone.status, QStringLiteral("已允許"));
    EXPECT_EQ(microphone.button, QStringLiteral("已授權"));
    EXPECT_FALSE(microphone.enabled);
    EXPECT_EQ(
        statusColor(row(PermissionKind::microphone)), permissionStateDisplay(PermissionState::authorized).statusColor);

    const ShownRow camera = shown(row(PermissionKind::camera));
    EXPECT_EQ(camera.status, QStringLiteral("已拒絕"));
    EXPECT_EQ(camera.button, QStringLiteral("開啟系統設定"));
    EXPECT_TRUE(camera.enabled);
    EXPECT_EQ(statusColor(row(PermissionKind::camera)), permissionStateDisplay(PermissionState::denied).statusColor);

    const ShownRow speech = shown(row(PermissionKind::speech));
    EXPECT_EQ(speech.status, QStringLiteral("系統限制"));
    EXPECT_EQ(speech.button, QStringLiteral("系統限制"));
    EXPECT_FALSE(speech.enabled);

    EXPECT_EQ(row(PermissionKind::microphone)->nameLabel()->text(), QStringLiteral("麥克風"));
    EXPECT_EQ(row(PermissionKind::speech)->descriptionLabel()->text(),
        QStringLiteral("把你正在念的句子和稿件對齊（離線語音辨識 zh-TW）"));
    EXPECT_EQ(row(PermissionKind::camera)->nameLabel()->text(), QStringLiteral("相機（未來內建錄影用）"));
    EXPECT_EQ(row(PermissionKind::speech)->icon(), QStringLiteral("waveform"));
}

TEST_F(PermissionsPaneTest, AGrantedPromptTurnsTheRowGreenAndReReadsTheOthers)
{
    makePane();
    EXPECT_EQ(shown(row(PermissionKind::microphone)).button, QStringLiteral("請求權限"));
    EXPECT_EQ(statusColor(row(PermissionKind::microphone)),
        permissionStateDisplay(PermissionState::notDetermined).statusColor);
    // Decided elsewhere while the pane is open: not shown until the next refresh.
    service.setDecision(PermissionKind::camera, false);
    EXPECT_EQ(shown(row(PermissionKind::camera)).status, QStringLiteral("未授權"));

    prompter.answers = { true };
    row(PermissionKind::microphone)->button()->click();
    ASSERT_TRUE(waitFor([&] { return row(PermissionKind::microphone)->state() == PermissionState::authorized; }));
    EXPECT_EQ(prompter.asked, std::vector<PermissionKind> { PermissionKind::microphone });
    EXPECT_EQ(shown(row(PermissionKind::microphone)).status, QStringLiteral("已允許"));
    EXPECT_EQ(
        statusColor(row(PermissionKind::microphone)), permissionStateDisplay(PermissionState::authorized).statusColor);
    EXPECT_FALSE(row(PermissionKind::microphone)->button()->isEnabled());
    EXPECT_EQ(shown(row(PermissionKind::camera)).status, QStringLiteral("已拒絕")) << "re-read with the answer";
}

TEST_F(PermissionsPaneTest, ARefusedPromptShowsDeniedAndAsksNoMore)
{
    makePane();
    prompter.answers = { false };
    row(PermissionKind::speech)->button()->click();
    ASSERT_TRUE(waitFor([&] { return row(PermissionKind::speech)->state() == PermissionState::denied; }));
    EXPECT_EQ(shown(row(PermissionKind::speech)).button, QStringLiteral("開啟系統設定"));

    // Authorized and restricted rows ask nothing either, also when requested directly.
    service.setDecision(PermissionKind::microphone, true);
    probe->restricted = { PermissionKind::camera };
    pane->manager()->refresh();
    pane->manager()->requestMicrophone();
    pane->manager()->requestCamera();
    QTest::qWait(20);
    EXPECT_EQ(prompter.asked, std::vector<PermissionKind> { PermissionKind::speech });
    EXPECT_EQ(pane->privacyDialog(), nullptr);
}

TEST_F(PermissionsPaneTest, ADeniedRowOpensThePrivacyDialogAtItsPermission)
{
    service.setDecision(PermissionKind::camera, false);
    service.setDecision(PermissionKind::speech, false);
    makePane();
    row(PermissionKind::camera)->button()->click();
    PrivacyDialog *dialog = pane->privacyDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->markedPermission(), PermissionKind::camera);
    EXPECT_TRUE(dialog->denyButton(PermissionKind::camera)->isChecked());
    EXPECT_TRUE(prompter.asked.empty());

    // The decision changes there; the pane shows it from the next refresh on.
    dialog->allowButton(PermissionKind::camera)->click();
    EXPECT_EQ(service.status(PermissionKind::camera), PermissionStatus::authorized);
    EXPECT_EQ(shown(row(PermissionKind::camera)).status, QStringLiteral("已拒絕"));
    pane->refreshButton()->click();
    EXPECT_EQ(shown(row(PermissionKind::camera)).status, QStringLiteral("已允許"));

    // The same dialog opens again at the other permission.
    row(PermissionKind::speech)->button()->click();
    EXPECT_EQ(pane->privacyDialog(), dialog);
    EXPECT_EQ(dialog->markedPermission(), PermissionKind::speech);
}

TEST_F(PermissionsPaneTest, ThePrivacyDialogShowsUndecidedAndRestrictedPermissionsAsSuch)
{
    probe->restricted = { PermissionKind::microphone };
    PrivacyDialog dialog(service);
    dialog.showAt(QStringLiteral("Privacy_SpeechRecognition"));
    EXPECT_EQ(dialog.markedPermission(), PermissionKind::speech);
    EXPECT_FALSE(dialog.allowButton(PermissionKind::speech)->isChecked());
    EXPECT_FALSE(dialog.denyButton(PermissionKind::speech)->isChecked());
    EXPECT_FALSE(dialog.allowButton(PermissionKind::microphone)->isEnabled());
    EXPECT_FALSE(dialog.denyButton(PermissionKind::microphone)->isEnabled());

    dialog.denyButton(PermissionKind::speech)->click();
    EXPECT_EQ(service.status(PermissionKind::speech), PermissionStatus::denied);
    EXPECT_EQ(PrivacyDialog::permissionForAnchor(QStringLiteral("Privacy_Microphone")), PermissionKind::microphone);
    EXPECT_EQ(PrivacyDialog::permissionForAnchor(QStringLiteral("Privacy_Camera")), PermissionKind::camera);
    EXPECT_EQ(PrivacyDialog::permissionForAnchor(QStringLiteral("Privacy_Location")), std::nullopt);
}

TEST_F(PermissionsPaneTest, TheRefreshButtonReReadsAllThree)
{
    makePane();
    service.setDecision(PermissionKind::microphone, true);
    service.setDecision(PermissionKind::speech, false);
    probe->restricted = { PermissionKind::camera };
    EXPECT_EQ(shown(row(PermissionKind::microphone)).status, QStringLiteral("未授權"));
    pane->refreshButton()->click();
    EXPECT_EQ(shown(row(PermissionKind::microphone)).status, QStringLiteral("已允許"));
    EXPECT_EQ(shown(row(PermissionKind::speech)).status, QStringLiteral("已拒絕"));
    EXPECT_EQ(shown(row(PermissionKind::camera)).status, QStringLiteral("系統限制"));
}

TEST_F(PermissionsPaneTest, SwitchingTabsAwayAndBackReReadsTheStates)
{
    SettingsView settings(service);
    settings.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&settings));
    EXPECT_EQ(settings.size(), QSize(540, 440));
    ASSERT_EQ(settings.tabs()->count(), 2);
    EXPECT_EQ(settings.tabs()->tabText(0), QStringLiteral("權限"));
    EXPECT_EQ(settings.tabs()->tabText(1), QStringLiteral("關於"));
    PermissionRow *microphone = settings.permissionsPane()->row(PermissionKind::microphone);
    EXPECT_EQ(microphone->state(), PermissionState::notDetermined);

    settings.tabs()->setCurrentIndex(1);
    service.setDecision(PermissionKind::microphone, true);
    EXPECT_EQ(microphone->state(), PermissionState::notDetermined);
    settings.tabs()->setCurrentIndex(0);
    EXPECT_EQ(microphone->state(), PermissionState::authorized);
    EXPECT_EQ(shown(microphone).status, QStringLiteral("已允許"));

    // Closing and reopening the window reads them again too.
    settings.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&settings));
    QTest::keyClick(&settings, Qt::Key_Escape);
    EXPECT_FALSE(settings.isVisible()) << "Escape closes the window";
    service.setDecision(PermissionKind::microphone, false);
    settings.show();
    EXPECT_EQ(microphone->state(), PermissionState::denied);
}

} // namespace
