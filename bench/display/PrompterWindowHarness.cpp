// The prompter window alone, as the program shows it: a model on the script file given, the
// window opened and playback started. prompter-session.sh --display-only samples it where the
// whole program cannot be driven yet.
//   prompter_window_harness <script.md>

#include "IdleRecordingEngine.h"
#include "PrompterViewModel.h"
#include "PrompterWindow.h"
#include "TestSettingsSandbox.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    lumetra::testing::redirectSettingsToTemporaryFolder();
    const QStringList arguments = QApplication::arguments();
    QFile file(arguments.value(1));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fputs("usage: prompter_window_harness <script.md>\n", stderr);
        return 2;
    }
    lumetra::PrompterViewModel model(QString::fromUtf8(file.readAll()), lumetra::testing::idleRecordingEngine());
    lumetra::PrompterWindow *window = lumetra::PrompterWindow::showFor(model);
    window->toggleFullScreen();
    // A virtual display has no window manager to carry out full screen: cover the screen directly.
    window->setGeometry(window->screen()->geometry());
    QTimer::singleShot(1000, &model, &lumetra::PrompterViewModel::play);
    return QApplication::exec();
}
