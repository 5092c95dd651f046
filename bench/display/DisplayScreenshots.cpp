#include "DisplayTestSupport.h"
#include "IdleRecordingEngine.h"
#include "PrompterDisplayView.h"
#include "PrompterWindow.h"
#include <QApplication>
#include <QThread>
using namespace lumetra;
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QString dir = argv[1];
    auto model = lumetra::testing::displayModel(QString()); // sample script? set below
    model = std::make_unique<PrompterViewModel>(lumetra::testing::idleRecordingEngine());
    PrompterDisplayView view(*model);
    view.resize(1280, 720);
    view.show();
    lumetra::testing::settle();
    lumetra::testing::renderedView(view).save(dir + "/sample.png");
    model->moveToNextSentence();
    model->moveToNextSentence();
    model->moveToNextSentence();
    QThread::msleep(300);
    lumetra::testing::settle();
    QThread::msleep(300);
    lumetra::testing::settle();
    lumetra::testing::renderedView(view).save(dir + "/third.png");
    model->setIsHorizontallyFlipped(true);
    lumetra::testing::renderedView(view).save(dir + "/mirrored.png");
    model->setIsHorizontallyFlipped(false);
    model->setIsVoiceSyncEnabled(true);
    model->setSpokenReadableCharacterCount(model->paragraphs()[3].globalReadableStart + 8);
    lumetra::testing::renderedView(view).save(dir + "/voicesync.png");
    view.resize(1920, 1080);
    lumetra::testing::renderedView(view).save(dir + "/wide.png");
}
