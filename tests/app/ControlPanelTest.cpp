#include "AppTestHarness.h"
#include "ClickReportingTextView.h"
#include "ControlPanelView.h"
#include "ControlSliderRow.h"
#include "ControlToolbar.h"
#include "ControlsColumn.h"
#include "FakeCaptureBackend.h"
#include "LumetraApp.h"
#include "NeverRestrictedProbe.h"
#include "PermissionService.h"
#include "PrompterViewModel.h"
#include "RecordingEngine.h"
#include "ScriptEditorView.h"
#include "ScriptedConsentPrompter.h"
#include "ScriptedVoiceSyncEngine.h"
#include "SectionSidebar.h"
#include "ShortcutFieldRow.h"
#include "settings/SettingsView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

namespace lumetra::testing {
namespace {

class ControlPanel : public AppTest {
protected:
    ControlsColumn &controls() { return window().panel().controls(); }
    ControlSliderRow &slider(const QString &title)
    {
        ControlSliderRow *row = controls().slider(title);
        EXPECT_NE(row, nullptr) << title.toStdString();
        return *row;
    }
};

TEST_F(ControlPanel, SlidersShowTheirValueTexts)
{
    model().setDisplayContrast(1.0);
    model().setBackgroundBrightness(0.22);
    model().setHorizontalMargin(8);
    model().setVerticalMargin(-12.7);
    model().setScrollSpeed(42.9);
    model().setReadTextOpacity(0.57);
    EXPECT_EQ(slider(QStringLiteral("對比")).valueText(), QStringLiteral("1.0x"));
    EXPECT_EQ(slider(QStringLiteral("背景亮度")).valueText(), QStringLiteral("22%"));
    EXPECT_EQ(slider(QStringLiteral("左右邊距")).valueText(), QStringLiteral("8%"));
    EXPECT_EQ(slider(QStringLiteral("基準線上下位置")).valueText(), QStringLiteral("-12 px"));
    EXPECT_EQ(slider(QStringLiteral("滾動速度")).valueText(), QStringLiteral("42 px/s"));
    EXPECT_EQ(slider(QStringLiteral("已讀淡化")).valueText(), QStringLiteral("57%"));
    EXPECT_EQ(slider(QStringLiteral("字級")).valueText(), QStringLiteral("54 pt"));
}

TEST_F(ControlPanel, MovingASliderWritesTheModelAndAStoredValueOutsideTheRangeStays)
{
    QSlider &fontSize = slider(QStringLiteral("字級")).slider();
    fontSize.setValue(fontSize.maximum());
    EXPECT_EQ(model().fontSize(), 92);
    fontSize.setValue(fontSize.minimum());
    EXPECT_EQ(model().fontSize(), 34);

    model().setScrollSpeed(400); // stored outside the range: shown as it is until moved
    EXPECT_EQ(model().scrollSpeed(), 400);
    EXPECT_EQ(slider(QStringLiteral("滾動速度")).valueText(), QStringLiteral("400 px/s"));
    EXPECT_EQ(
        slider(QStringLiteral("滾動速度")).slider().value(), slider(QStringLiteral("滾動速度")).slider().maximum());
}

TEST_F(ControlPanel, AWheelOverASliderChangesItOnlyOnceTheSliderHasFocus)
{
    QSlider &lineSpacing = slider(QStringLiteral("行距")).slider();
    const auto turnWheel = [&lineSpacing] {
        const QPointF centre = QRectF(lineSpacing.rect()).center();
        QWheelEvent wheel(centre, lineSpacing.mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&lineSpacing, &wheel);
        return wheel.isAccepted();
    };
    const double before = model().lineSpacing();
    EXPECT_FALSE(turnWheel()) << "left to the scrolling column";
    EXPECT_EQ(model().lineSpacing(), before);

    lineSpacing.setFocus();
    if (!lineSpacing.hasFocus())
        GTEST_SKIP() << "the window cannot take the focus on this display";
    EXPECT_TRUE(turnWheel());
    EXPECT_NE(model().lineSpacing(), before);
}

TEST_F(ControlPanel, ReadingPositionStoresItsEndsAndShowsTheGuideOnEveryChange)
{
    QSlider &position = slider(QStringLiteral("閱讀位置")).slider();
    model().setIsReadingGuideVisible(false);
    position.setValue(position.maximum());
    EXPECT_DOUBLE_EQ(model().readingPosition(), 0.72);
    EXPECT_TRUE(model().isReadingGuideVisible());
    model().setIsReadingGuideVisible(false);
    position.setValue(position.minimum());
    EXPECT_DOUBLE_EQ(model().readingPosition(), 0.18);
    EXPECT_TRUE(model().isReadingGuideVisible());
    EXPECT_EQ(slider(QStringLiteral("閱讀位置")).valueText(), QStringLiteral("18%"));
}

TEST_F(ControlPanel, SwitchingVoiceSyncBringsItsStatusIntoView)
{
    window().resize(1280, 800);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    controls().verticalScrollBar()->setValue(0);
    const auto statusInView = [this] {
        const QWidget &status = controls().voiceSyncStatus();
        const QRect shown(status.mapTo(controls().viewport(), QPoint()), status.size());
        return controls().viewport()->rect().contains(shown);
    };
    ASSERT_FALSE(statusInView()) << "the column must start scrolled away from the status";
    controls().toggle(QStringLiteral("啟用 Voice Sync"))->click();
    EXPECT_TRUE(QTest::qWaitFor(statusInView, 2000));
}

TEST_F(ControlPanel, VoiceSyncDisablesTheSpeedControlsOnlyAndShowsItsNotice)
{
    QCheckBox *voiceSync = controls().toggle(QStringLiteral("啟用 Voice Sync"));
    ASSERT_NE(voiceSync, nullptr);
    EXPECT_TRUE(controls().voiceSyncNotice().isHidden());
    voiceSync->click();
    ASSERT_TRUE(model().isVoiceSyncEnabled());
    ASSERT_NE(voiceSyncEngine(), nullptr);
    voiceSyncEngine()->finishStart();
    EXPECT_TRUE(voiceSync->isChecked());
    EXPECT_FALSE(slider(QStringLiteral("滾動速度")).isEnabled());
    EXPECT_FALSE(controls().button(QStringLiteral("慢一點"))->isEnabled());
    EXPECT_FALSE(controls().button(QStringLiteral("快一點"))->isEnabled());
    EXPECT_FALSE(controls().toggle(QStringLiteral("自動循環"))->isEnabled());
    EXPECT_FALSE(controls().voiceSyncNotice().isHidden());
    EXPECT_EQ(controls().voiceSyncStatus().text(), model().voiceSyncStatus());

    // Space asks for playback; with Voice Sync on it only says why not.
    const QString status = model().voiceSyncStatus();
    window().menus().action(QStringLiteral("播放"))->trigger();
    EXPECT_FALSE(model().isPlaying());
    EXPECT_NE(model().voiceSyncStatus(), status);

    const std::int64_t start = model().currentParagraphIndex();
    QPushButton *next = controls().button(QStringLiteral("下一句"));
    ASSERT_TRUE(next->isEnabled());
    next->click();
    EXPECT_EQ(model().currentParagraphIndex(), start + 1);
    controls().button(QStringLiteral("上一句"))->click();
    EXPECT_EQ(model().currentParagraphIndex(), start);

    // The transcript shows only while there is one.
    EXPECT_TRUE(controls().voiceSyncTranscript().isHidden());
    voiceSyncEngine()->say(QStringLiteral("今天這支影片"));
    EXPECT_FALSE(controls().voiceSyncTranscript().isHidden());
    EXPECT_EQ(controls().voiceSyncTranscript().text(), model().voiceSyncTranscript());

    voiceSync->click();
    EXPECT_FALSE(model().isVoiceSyncEnabled());
    EXPECT_FALSE(voiceSync->isChecked());
    EXPECT_TRUE(slider(QStringLiteral("滾動速度")).isEnabled());
    EXPECT_TRUE(controls().voiceSyncNotice().isHidden());
}

TEST_F(ControlPanel, SpeedButtonsStepWithinTheLimits)
{
    model().setScrollSpeed(178);
    controls().button(QStringLiteral("快一點"))->click();
    EXPECT_EQ(model().scrollSpeed(), 180);
    controls().button(QStringLiteral("快一點"))->click();
    EXPECT_EQ(model().scrollSpeed(), 180);
    model().setScrollSpeed(5);
    controls().button(QStringLiteral("慢一點"))->click();
    EXPECT_EQ(model().scrollSpeed(), 2);
}

TEST_F(ControlPanel, TheCurrentSectionsRowIsHighlightedAndARowJumps)
{
    SectionSidebar &sidebar = window().panel().sidebar();
    const auto rows = sidebar.rows();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows[0]->isCurrent());
    EXPECT_FALSE(rows[1]->isCurrent());
    QTest::mouseClick(rows[2], Qt::LeftButton);
    EXPECT_EQ(model().currentSectionIndex(), 2);
    EXPECT_TRUE(rows[2]->isCurrent());
    EXPECT_FALSE(rows[0]->isCurrent());

    // With Voice Sync on, the sentence moves carry the highlight into the next section.
    window().panel().controls().toggle(QStringLiteral("啟用 Voice Sync"))->click();
    QTest::mouseClick(rows[0], Qt::LeftButton);
    const auto firstSectionChunks = model().document().sections[0].paragraphs.size();
    for (std::size_t i = 0; i < firstSectionChunks; ++i)
        window().panel().controls().button(QStringLiteral("下一句"))->click();
    EXPECT_EQ(model().currentSectionIndex(), 1);
    EXPECT_TRUE(rows[1]->isCurrent());
    EXPECT_EQ(window().panel().controls().progressBar().value(), int(firstSectionChunks) + 1);

    // Typing inside a section keeps the rows; a new heading adds one.
    model().setScriptText(
        QString(model().scriptText()).replace(QStringLiteral("今天這支影片"), QStringLiteral("今天這支新影片")));
    EXPECT_EQ(sidebar.rows().size(), 3);
    EXPECT_EQ(sidebar.rows()[0], rows[0]);
    model().setScriptText(model().scriptText() + QStringLiteral("\n\n# 附錄\n\n附錄內容。"));
    EXPECT_EQ(sidebar.rows().size(), 4);
    EXPECT_EQ(sidebar.rows()[0], rows[0]) << "rows are kept as sections come and go";
    EXPECT_EQ(sidebar.rows()[3]->title(), QStringLiteral("附錄"));
    model().setScriptText(QStringLiteral("# 只剩一章\n\n一句。"));
    ASSERT_EQ(sidebar.rows().size(), 1);
    EXPECT_EQ(sidebar.rows()[0]->title(), QStringLiteral("只剩一章"));
    EXPECT_TRUE(sidebar.rows()[0]->isCurrent());
}

TEST_F(ControlPanel, AClickInTheEditorJumpsToTheChunkThere)
{
    ClickReportingTextView &editor = window().panel().editor().textView();
    const auto paragraphs = model().paragraphs();
    ASSERT_GT(paragraphs.size(), 3u);
    const ScriptParagraph &target = paragraphs[3];
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(int(target.sourceOffset) + 2);
    editor.ensureCursorVisible();
    editor.setTextCursor(cursor);
    editor.ensureCursorVisible();
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, editor.cursorRect(cursor).center());
    EXPECT_EQ(model().currentParagraphIndex(), 3);
}

TEST_F(ControlPanel, DocumentStatusAndProgressFollowTheModel)
{
    ControlToolbar &toolbar = window().panel().toolbar();
    EXPECT_EQ(toolbar.documentStatusLine(), QStringLiteral("已儲存 · 使用範例講稿"));
    EXPECT_EQ(toolbar.documentTitleText(), QStringLiteral("未命名講稿"));
    window().panel().editor().textView().setFocus();
    QTest::keyClick(&window().panel().editor().textView(), Qt::Key_X);
    EXPECT_EQ(toolbar.documentStatusLine(), QStringLiteral("已修改 · 使用範例講稿"));

    const auto count = int(model().paragraphs().size());
    EXPECT_EQ(controls().progressBar().maximum(), count);
    EXPECT_EQ(controls().progressBar().value(), 1);
    model().moveToNextSentence();
    EXPECT_EQ(controls().progressBar().value(), 2);
    EXPECT_EQ(controls().progressText().text(), model().visualProgressText());

    // No chunks at all: one step, never more than full.
    model().setScriptText(QString());
    EXPECT_EQ(controls().progressBar().maximum(), 1);
    EXPECT_LE(controls().progressBar().value(), 1);
}

TEST_F(ControlPanel, TogglesWriteTheirSettings)
{
    QCheckBox *mirror = controls().toggle(QStringLiteral("水平鏡像"));
    ASSERT_NE(mirror, nullptr);
    mirror->click();
    EXPECT_TRUE(model().isHorizontallyFlipped());
    window().menus().action(QStringLiteral("切換水平鏡像"))->trigger();
    EXPECT_FALSE(model().isHorizontallyFlipped());
    EXPECT_FALSE(mirror->isChecked());
    controls().toggle(QStringLiteral("自動循環"))->click();
    EXPECT_TRUE(window().menus().action(QStringLiteral("自動循環"))->isChecked());
}

TEST_F(ControlPanel, CtrlRRecordsAndTheLabelsAndTheRevealItemFollowTheEngine)
{
    RecordingEngine &engine = model().recordingEngine();
    engine.setMode(RecordingMode::audioOnly);
    engine.setOutputDirectory(QUrl::fromLocalFile(temporaryPath(QStringLiteral("recordings"))));
    consent().answers = { true };
    QWidget &plain = window().panel().toolbar().playButton();
    focus(plain);
    QTest::keyClick(&plain, Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine.isRecording(); }, 2000)) << engine.statusMessage().toStdString();
    EXPECT_NE(window().menus().action(QStringLiteral("停止錄影")), nullptr);
    EXPECT_EQ(window().panel().toolbar().recordButton().text(), QStringLiteral("停止錄影"));

    QTest::keyClick(&plain, Qt::Key_R, Qt::ControlModifier);
    (void)QTest::qWaitFor([&] { return captureBackend().calls.contains(QStringLiteral("stopAudio")); }, 2000);
    captureBackend().finishAudio(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !engine.isRecording(); }, 2000));
    EXPECT_EQ(window().panel().toolbar().recordButton().text(), QStringLiteral("開始錄影"));
    QAction *reveal = window().menus().action(QStringLiteral("顯示上一個輸出檔"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return reveal->isEnabled(); }, 2000));
    reveal->trigger();
    ASSERT_EQ(desktop().revealed.size(), 1);
    EXPECT_EQ(desktop().revealed[0], engine.lastOutputURL());
}

TEST_F(ControlPanel, RevealLastOutputIsEnabledOnlyWithAFile)
{
    QAction *reveal = window().menus().action(QStringLiteral("顯示上一個輸出檔"));
    ASSERT_NE(reveal, nullptr);
    EXPECT_FALSE(reveal->isEnabled());
    EXPECT_EQ(window().menus().action(QStringLiteral("開始錄影"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_EQ(window().menus().action(QStringLiteral("回開頭"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Up));
    EXPECT_EQ(window().menus().action(QStringLiteral("另存新檔..."))->shortcut(),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
}

TEST_F(ControlPanel, ASecondStartRestoresEverySettingTheWindowChanged)
{
    slider(QStringLiteral("字級")).slider().setValue(slider(QStringLiteral("字級")).slider().maximum());
    controls().toggle(QStringLiteral("水平鏡像"))->click();
    controls().button(QStringLiteral("快一點"))->click();
    const double speed = model().scrollSpeed();
    QLineEdit &field = controls().shortcutField(QStringLiteral("加快"))->field();
    field.setFocus();
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_K);

    LumetraServices services;
    services.makeCaptureBackend = [] { return std::make_unique<FakeCaptureBackend>(); };
    LumetraApp second(std::move(services));
    PrompterViewModel &restored = second.viewModel();
    EXPECT_EQ(restored.fontSize(), 92);
    EXPECT_TRUE(restored.isHorizontallyFlipped());
    EXPECT_EQ(restored.scrollSpeed(), speed);
    EXPECT_EQ(restored.shortcutSettings().fasterKey, QStringLiteral("k"));
    EXPECT_EQ(second.controlWindow().panel().controls().shortcutField(QStringLiteral("加快"))->field().text(),
        QStringLiteral("K"));
}

TEST_F(ControlPanel, TheSettingsItemOpensOneSettingsWindow)
{
    QAction *settings = window().menus().action(QStringLiteral("設定..."));
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(settings->shortcuts().isEmpty());
    settings->trigger();
    SettingsView *first = app().showSettingsWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    settings->trigger();
    EXPECT_EQ(app().showSettingsWindow(), first);
}

} // namespace
} // namespace lumetra::testing

namespace lumetra::testing {
namespace {

TEST(ProgramStartUp, CamerasAreLookedForOnceTheControlWindowIsOnScreenAndThePreviewStartsWhenAllowed)
{
    QSettings().clear();
    const CameraDevice camera { QStringLiteral("/dev/video0"), QStringLiteral("Front Camera") };
    FakeCaptureBackend *backend = nullptr;
    LumetraServices services;
    services.accessProbe = std::make_shared<NeverRestrictedProbe>();
    services.makeCaptureBackend = [&backend, camera] {
        auto made = std::make_unique<FakeCaptureBackend>();
        made->cameras = { camera };
        backend = made.get();
        return made;
    };
    LumetraApp app(std::move(services));
    app.permissions().setDecision(PermissionKind::camera, true);
    app.start({});
    ASSERT_NE(backend, nullptr) << "the recording engine is made with the window";
    EXPECT_TRUE(backend->calls.isEmpty()) << "the capture system waits for the window to be shown";

    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app.controlWindow()));
    const RecordingEngine &engine = app.viewModel().recordingEngine();
    EXPECT_TRUE(QTest::qWaitFor([&engine] { return engine.isPreviewRunning(); }, 3000));
    EXPECT_EQ(engine.availableCameras(), QList<CameraDevice> { camera });
    EXPECT_EQ(engine.selectedCameraID(), camera.uniqueID);
    EXPECT_EQ(backend->calls.count(QStringLiteral("discover")), 1);
    QSettings().clear();
}

} // namespace
} // namespace lumetra::testing
