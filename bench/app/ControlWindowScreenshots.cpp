// Writes PNGs of the control window with the sample script into the folder given as the argument:
// 1280 × 800 and 920 × 640, the whole controls column, and the window with Voice Sync on and a
// file open. For looking at.
//   QT_QPA_PLATFORM=offscreen build/bench/app/control_window_screenshots /tmp/shots

#include "ControlPanelView.h"
#include "ControlWindow.h"
#include "ControlsColumn.h"
#include "FakeCaptureBackend.h"
#include "LumetraApp.h"
#include "PrompterViewModel.h"
#include "PrompterWindow.h"
#include "QtTranslations.h"
#include "ScriptFilePanels.h"
#include "TestSettingsSandbox.h"
#include "UnsavedWorkGuard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

using namespace lumetra;

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    installQtTranslations(application);
    testing::redirectSettingsToTemporaryFolder();
    if (argc < 2) {
        qWarning("usage: control_window_screenshots <folder>");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);

    LumetraServices services;
    services.makeCaptureBackend = [] { return std::make_unique<testing::FakeCaptureBackend>(); };
    services.makeVoiceSyncEngine = [](PermissionService &, QObject *) -> VoiceSyncEngine * { return nullptr; };
    LumetraApp app(std::move(services));
    app.start({});
    ControlWindow &window = app.controlWindow();
    const auto save = [&](QWidget &widget, const QSize &size, const char *name) {
        widget.resize(size);
        QTest::qWait(50);
        widget.grab().save(folder + u'/' + QLatin1String(name) + QStringLiteral(".png"));
    };
    save(window, { 1280, 800 }, "control-1280x800");
    if (QWidget *prompter = app.showPrompterWindow()) {
        QTest::qWait(300); // the reading guide's first showing and the first frames
        prompter->grab().save(folder + QStringLiteral("/prompter.png"));
    }
    save(window, { 920, 640 }, "control-920x640");

    QWidget *column = window.panel().controls().widget();
    column->grab().save(folder + QStringLiteral("/controls-column.png"));

    PrompterViewModel &model = app.viewModel();
    model.setIsVoiceSyncEnabled(true);
    model.setVoiceSyncStatus(QStringLiteral("離線語音辨識 zh-TW 監聽中"));
    model.setVoiceSyncTranscript(QStringLiteral("今天這支影片我想跟你聊一個很多人做 AI 工具時會忽略的問題"));
    model.completeScriptExport(folder + QStringLiteral("/一個檔名很長很長的講稿，看看標題會不會被切掉.md"));
    model.moveToNextSentence();
    model.moveToNextSentence();
    model.moveToNextSentence();
    model.moveToNextSentence();
    QTest::qWait(50);
    column->grab().save(folder + QStringLiteral("/controls-column-voice-sync.png"));
    save(window, { 920, 640 }, "control-920x640-file");

    // The unsaved-work question and the open panel, in the program's language.
    model.setScriptText(model.scriptText() + QStringLiteral("新的一句。"));
    window.unsavedWorkGuard().confirm([&] { model.setIsPresentingScriptImporter(true); });
    QTest::qWait(100);
    window.unsavedWorkGuard().question()->grab().save(folder + QStringLiteral("/unsaved-question.png"));
    for (QAbstractButton *button : window.unsavedWorkGuard().question()->buttons())
        if (button->text() == QStringLiteral("不儲存"))
            button->click();
    QTest::qWait(100);
    if (QFileDialog *panel = window.filePanels().openPanel())
        panel->grab().save(folder + QStringLiteral("/open-panel.png"));
    return 0;
}
