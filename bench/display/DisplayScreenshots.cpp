// Writes PNGs of the prompter in its typical states into the folder given as the argument:
// the sample script, a later chunk at fixed speed, mirrored, Voice Sync half-way through a
// chunk, a wide screen, a narrow window, and the status bar while recording. For looking at.
//   QT_QPA_PLATFORM=offscreen build/bench/display/display_screenshots /tmp/shots

#include "DisplayTestSupport.h"
#include "IdleRecordingEngine.h"
#include "PrompterDisplayView.h"
#include "StatusBarPainter.h"
#include "TestSettingsSandbox.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

using namespace lumetra;

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::redirectSettingsToTemporaryFolder();
    if (argc < 2) {
        qWarning("usage: display_screenshots <folder>");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const auto save = [&](PrompterDisplayView &view, const char *name) {
        testing::renderedView(view).save(folder + u'/' + QLatin1String(name) + QStringLiteral(".png"));
    };

    auto model = std::make_unique<PrompterViewModel>(testing::idleRecordingEngine());
    PrompterDisplayView view(*model);
    view.resize(1280, 720);
    view.show();
    save(view, "sample");

    for (int i = 0; i < 3; ++i)
        model->moveToNextSentence();
    QTest::qWait(400);
    save(view, "fixed-speed-fourth-chunk");
    model->setIsHorizontallyFlipped(true);
    save(view, "mirrored");
    model->setIsHorizontallyFlipped(false);

    model->setIsVoiceSyncEnabled(true);
    model->setSpokenReadableCharacterCount(model->paragraphs()[3].globalReadableStart + 8);
    save(view, "voice-sync-half-way");
    view.resize(1920, 1080);
    save(view, "wide");
    model->setIsVoiceSyncEnabled(false);
    view.resize(360, 640);
    save(view, "narrow");

    QImage bar(1280, int(StatusBarPainter::height()), QImage::Format_RGB32);
    bar.fill(Qt::black);
    QPainter painter(&bar);
    StatusBarContent recording = view.statusBarContent();
    recording.modeSymbol = QStringLiteral("play.fill");
    recording.recordingTime = QStringLiteral("12:34");
    StatusBarPainter::paint(painter, bar.rect(), recording);
    painter.end();
    bar.save(folder + QStringLiteral("/status-bar-recording.png"));
    return 0;
}
