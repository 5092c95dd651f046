#include "RecordingPanelFixture.h"

#include "ElidedLabel.h"
#include "QStringPrinter.h"
#include "RecordingSettingsStore.h"
#include "recording/RecordingColors.h"
#include "recording/RecordingPreviewArea.h"
#include "recording/RecordingPreviewView.h"
#include "recording/RecordingTimerBadge.h"
#include "recording/SegmentedPicker.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QToolButton>

using namespace lumetra;
using namespace lumetra::testing;

namespace {

using RecordingControlsViewTest = RecordingPanelFixture;

QColor tintOf(const QPushButton *button)
{
    return button->property("prominentTint").value<QColor>();
}

TEST_F(RecordingControlsViewTest, AtStartEverythingIdleIsOfferedAndNothingToReveal)
{
    RecordingControlsView &view = makePanel();
    EXPECT_EQ(view.headerSymbol(), QStringLiteral("video.fill"));
    EXPECT_EQ(view.timerBadge()->text(), QStringLiteral("00:00"));
    EXPECT_FALSE(view.timerBadge()->isRecording());
    EXPECT_NE(view.timerBadge()->dotColor().rgb(), recordingRed().rgb());
    EXPECT_EQ(view.modePicker()->currentId(), int(RecordingMode::cameraAndMicrophone));
    EXPECT_TRUE(view.modePicker()->isEnabled());
    EXPECT_TRUE(view.cameraRow()->isVisible());
    EXPECT_TRUE(view.previewArea()->isVisible());
    EXPECT_EQ(view.cameraPicker()->count(), 2);
    EXPECT_EQ(view.cameraPicker()->currentText(), frontCamera.localizedName);
    EXPECT_TRUE(view.cameraPicker()->isEnabled());
    EXPECT_TRUE(view.refreshCamerasButton()->isEnabled());
    EXPECT_EQ(view.recordButton()->text(), QStringLiteral("開始"));
    EXPECT_TRUE(view.recordButton()->isEnabled());
    EXPECT_NE(tintOf(view.recordButton()), recordingRed());
    EXPECT_FALSE(view.revealButton()->isEnabled()) << "no file before the first recording";
    EXPECT_EQ(view.statusLabel()->text(), QStringLiteral("尚未錄影"));
    EXPECT_EQ(view.statusSymbol(), QStringLiteral("checkmark.circle"));
    EXPECT_TRUE(view.outputFolderButton()->isEnabled());
}

TEST_F(RecordingControlsViewTest, RecordingLocksTheSettingsAndTheButtonStopsInRed)
{
    RecordingControlsView &view = makePanel();
    grantCameraAndMicrophone();
    startRecordingFromPanel();

    EXPECT_EQ(view.recordButton()->text(), QStringLiteral("停止"));
    EXPECT_TRUE(view.recordButton()->isEnabled());
    EXPECT_EQ(tintOf(view.recordButton()), recordingRed());
    EXPECT_FALSE(view.modePicker()->isEnabled());
    EXPECT_FALSE(view.cameraPicker()->isEnabled());
    EXPECT_FALSE(view.refreshCamerasButton()->isEnabled());
    EXPECT_FALSE(view.outputFolderButton()->isEnabled());
    EXPECT_EQ(view.statusLabel()->text(), QStringLiteral("錄影中"));
    EXPECT_EQ(view.statusSymbol(), QStringLiteral("record.circle.fill"));
    EXPECT_TRUE(view.timerBadge()->isRecording());
    EXPECT_EQ(view.timerBadge()->dotColor().rgb(), recordingRed().rgb());

    // Pressing it again asks the recording to finish; while the file is written nothing can be pressed.
    view.recordButton()->click();
    ASSERT_TRUE(waitFor([&] { return engine->isStopping(); }));
    EXPECT_TRUE(backend->calls.contains(QStringLiteral("stopMovie")));
    EXPECT_FALSE(view.recordButton()->isEnabled());
    EXPECT_EQ(view.recordButton()->text(), QStringLiteral("停止"));
    EXPECT_FALSE(view.modePicker()->isEnabled());
    EXPECT_FALSE(view.cameraPicker()->isEnabled());
    EXPECT_FALSE(view.refreshCamerasButton()->isEnabled());
    EXPECT_FALSE(view.outputFolderButton()->isEnabled());
    EXPECT_EQ(view.statusLabel()->text(), QStringLiteral("正在收尾..."));

    backend->finishMovie();
    ASSERT_TRUE(waitFor([&] { return !engine->isRecording(); }));
    EXPECT_EQ(view.recordButton()->text(), QStringLiteral("開始"));
    EXPECT_TRUE(view.recordButton()->isEnabled());
    EXPECT_NE(tintOf(view.recordButton()), recordingRed());
    EXPECT_TRUE(view.modePicker()->isEnabled());
    EXPECT_TRUE(view.cameraPicker()->isEnabled());
    EXPECT_TRUE(view.outputFolderButton()->isEnabled());
    EXPECT_TRUE(view.revealButton()->isEnabled());
    EXPECT_EQ(view.statusSymbol(), QStringLiteral("checkmark.circle"));
    EXPECT_TRUE(view.statusLabel()->text().startsWith(QStringLiteral("已輸出 ")));

    view.revealButton()->click();
    ASSERT_EQ(desktop.revealed.size(), 1);
    EXPECT_EQ(desktop.revealed.first(), engine->lastOutputURL());
}

TEST_F(RecordingControlsViewTest, TheBadgeRunsWhileRecordingAndKeepsTheLengthWithAGreyDotAfterwards)
{
    RecordingControlsView &view = makePanel();
    grantCameraAndMicrophone();
    startRecordingFromPanel();
    ASSERT_TRUE(waitFor([&] { return view.timerBadge()->text() == QStringLiteral("00:01"); }, 4000))
        << view.timerBadge()->text().toStdString();
    EXPECT_EQ(view.timerBadge()->dotColor().rgb(), recordingRed().rgb());

    view.recordButton()->click();
    ASSERT_TRUE(waitFor([&] { return engine->isStopping(); }));
    backend->finishMovie();
    ASSERT_TRUE(waitFor([&] { return !engine->isRecording(); }));
    const QString length = RecordingEngine::formatDuration(engine->elapsedTime());
    EXPECT_NE(length, QStringLiteral("00:00"));
    EXPECT_EQ(view.timerBadge()->text(), length);
    EXPECT_FALSE(view.timerBadge()->isRecording());
    EXPECT_NE(view.timerBadge()->dotColor().rgb(), recordingRed().rgb());
}

TEST_F(RecordingControlsViewTest, WithoutCamerasThePickerSaysSoAndOnlyRefreshStaysEnabled)
{
    RecordingControlsView &view = makePanel({});
    ASSERT_EQ(view.cameraPicker()->count(), 1);
    EXPECT_EQ(view.cameraPicker()->currentText(), QStringLiteral("找不到相機"));
    EXPECT_FALSE(view.cameraPicker()->isEnabled());
    EXPECT_TRUE(view.refreshCamerasButton()->isEnabled());

    // A camera plugged in later appears after a refresh and becomes the choice.
    backend->cameras = { deskCamera };
    view.refreshCamerasButton()->click();
    ASSERT_EQ(view.cameraPicker()->count(), 1);
    EXPECT_EQ(view.cameraPicker()->currentText(), deskCamera.localizedName);
    EXPECT_TRUE(view.cameraPicker()->isEnabled());
    EXPECT_EQ(engine->selectedCameraID(), deskCamera.uniqueID);
}

TEST_F(RecordingControlsViewTest, PickingACameraChoosesItInTheEngine)
{
    RecordingControlsView &view = makePanel();
    QComboBox *picker = view.cameraPicker();
    picker->setCurrentIndex(1);
    emit picker->activated(1);
    EXPECT_EQ(engine->selectedCameraID(), deskCamera.uniqueID);
    EXPECT_EQ(QSettings().value(RecordingSettingsStore::cameraIDKey).toString(), deskCamera.uniqueID);

    // A choice made elsewhere shows up in the picker.
    engine->setSelectedCameraID(frontCamera.uniqueID);
    EXPECT_EQ(picker->currentText(), frontCamera.localizedName);
}

TEST_F(RecordingControlsViewTest, AudioOnlyHidesTheCameraRowAndThePreview)
{
    RecordingControlsView &view = makePanel();
    view.modePicker()->segment(int(RecordingMode::audioOnly))->click();
    EXPECT_EQ(engine->mode(), RecordingMode::audioOnly);
    EXPECT_EQ(RecordingSettingsStore::loadMode(), RecordingMode::audioOnly);
    EXPECT_FALSE(view.cameraRow()->isVisible());
    EXPECT_FALSE(view.previewArea()->isVisible());
    EXPECT_EQ(view.headerSymbol(), QStringLiteral("mic.fill"));

    // An audio recording locks the mode picker too.
    grantCameraAndMicrophone();
    startRecordingFromPanel();
    EXPECT_EQ(view.statusLabel()->text(), QStringLiteral("錄音中"));
    EXPECT_FALSE(view.modePicker()->isEnabled());
    EXPECT_FALSE(view.cameraRow()->isVisible());

    backend->finishAudio(true);
    ASSERT_TRUE(waitFor([&] { return !engine->isRecording(); }));
    view.modePicker()->segment(int(RecordingMode::cameraAndMicrophone))->click();
    EXPECT_TRUE(view.cameraRow()->isVisible());
    EXPECT_TRUE(view.previewArea()->isVisible());
    EXPECT_EQ(view.headerSymbol(), QStringLiteral("video.fill"));
}

TEST_F(RecordingControlsViewTest, TheOutputFolderIsShownFromHomeAndChosenWithTheFolderChooser)
{
    RecordingControlsView &view = makePanel();
    engine->setOutputDirectory(QUrl::fromLocalFile(QDir::homePath() + QStringLiteral("/Videos/Lumetra")));
    EXPECT_EQ(view.outputFolderLabel()->text(), QStringLiteral("~/Videos/Lumetra"));

    const QString chosen = folder.filePath(QStringLiteral("elsewhere"));
    desktop.answer = QUrl::fromLocalFile(chosen);
    view.outputFolderButton()->click();
    EXPECT_EQ(desktop.asked.mid(0, 2),
        (QStringList { QStringLiteral("選擇錄影輸出資料夾"), QStringLiteral("使用此資料夾") }));
    EXPECT_EQ(view.outputFolderLabel()->text(), chosen);
    EXPECT_EQ(view.statusLabel()->text(), QStringLiteral("輸出資料夾已更新"));

    // A cancelled chooser changes nothing.
    desktop.answer.reset();
    view.outputFolderButton()->click();
    EXPECT_EQ(view.outputFolderLabel()->text(), chosen);
}

TEST_F(RecordingControlsViewTest, ALongFolderPathLosesItsMiddleNotItsEnds)
{
    RecordingControlsView &view = makePanel();
    const QString deep
        = QDir::homePath() + QStringLiteral("/Projects/Conference-2026/Keynote rehearsal takes/Day two/Lumetra");
    engine->setOutputDirectory(QUrl::fromLocalFile(deep));
    view.resize(220, view.height());
    QCoreApplication::processEvents();
    ElidedLabel *label = view.outputFolderLabel();
    const QString shown = label->displayedText();
    EXPECT_EQ(label->text(), QStringLiteral("~/Projects/Conference-2026/Keynote rehearsal takes/Day two/Lumetra"));
    EXPECT_LT(shown.size(), label->text().size());
    EXPECT_TRUE(shown.startsWith(QStringLiteral("~/"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("Lumetra"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->width());
    EXPECT_EQ(label->toolTip(), label->text());
}

TEST_F(RecordingControlsViewTest, ThePlaceholderAsksForTheCameraAndGoesOnceThePreviewRuns)
{
    RecordingControlsView &view = makePanel();
    RecordingPreviewArea *area = view.previewArea();
    EXPECT_TRUE(area->placeholder()->isVisible());
    EXPECT_EQ(area->startPreviewButton()->text(), QStringLiteral("開啟預覽"));
    EXPECT_EQ(area->aspectTag()->text(), QStringLiteral("16:9"));

    prompter.answers = { true };
    area->startPreviewButton()->click();
    ASSERT_TRUE(waitFor([&] { return engine->isPreviewRunning(); }));
    EXPECT_EQ(prompter.asked, std::vector<PermissionKind> { PermissionKind::camera });
    EXPECT_FALSE(area->placeholder()->isVisible());
    EXPECT_EQ(view.statusLabel()->text(), QStringLiteral("鏡頭預覽中"));
}

TEST_F(RecordingControlsViewTest, ARefusedCameraKeepsThePlaceholderAndSaysWhy)
{
    RecordingControlsView &view = makePanel();
    prompter.answers = { false };
    view.previewArea()->startPreviewButton()->click();
    ASSERT_TRUE(waitFor([&] { return view.statusLabel()->text() == QStringLiteral("預覽失敗：相機權限未開啟"); }))
        << view.statusLabel()->text().toStdString();
    EXPECT_TRUE(view.previewArea()->placeholder()->isVisible());
}

TEST_F(RecordingControlsViewTest, ALongStatusTakesTwoLinesAtMost)
{
    RecordingControlsView &view = makePanel();
    permissions.setDecision(PermissionKind::camera, true);
    backend->cameraInputError = QStringLiteral("相機驅動程式回報了一個很長的錯誤訊息，").repeated(8);
    view.previewArea()->startPreviewButton()->click();
    ASSERT_TRUE(waitFor([&] { return view.statusLabel()->text().startsWith(QStringLiteral("預覽失敗：")); }));
    QCoreApplication::processEvents();
    const int lineSpacing = view.statusLabel()->fontMetrics().lineSpacing();
    EXPECT_GT(view.statusLabel()->heightForWidth(view.statusLabel()->width()), 2 * lineSpacing)
        << "the message needs more than two lines";
    EXPECT_LE(view.statusLabel()->height(), 2 * lineSpacing);
    EXPECT_GT(view.statusLabel()->height(), lineSpacing);
}

TEST_F(RecordingControlsViewTest, ThePreviewKeepsSixteenByNineAtAnyPanelWidth)
{
    RecordingControlsView &view = makePanel();
    for (const int width : { 280, 360, 520 }) {
        view.resize(width, 900);
        QCoreApplication::processEvents();
        const QSize frame = view.previewArea()->previewView()->size();
        EXPECT_NEAR(double(frame.width()) / frame.height(), 16.0 / 9.0, 0.02) << width;
        EXPECT_EQ(frame.width(), view.previewArea()->width()) << "as wide as the panel allows";
    }
}

} // namespace
