#include "DisplayCheck.h"
#include "LumetraApp.h"
#include "ParserSelfTest.h"
#include "QtTranslations.h"

#include <QApplication>

namespace {

QStringList argumentList(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char **argv)
{
    const QStringList arguments = argumentList(argc, argv);
    if (lumetra::ParserSelfTest::isRequested(arguments)) {
        // Nothing is shown, so no display is needed: the offscreen platform serves unless another
        // one is asked for.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return lumetra::ParserSelfTest::run();
    }

    lumetra::installStartupDisplayCheck();
    QApplication app(argc, argv);
    lumetra::removeStartupDisplayCheck();
    QApplication::setOrganizationName(QStringLiteral("Lumetra"));
    QApplication::setApplicationName(QStringLiteral("Lumetra"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lumetra"));
    QApplication::setDesktopFileName(QStringLiteral("lumetra"));
    lumetra::installQtTranslations(app);

    lumetra::LumetraApp lumetraApp(lumetra::LumetraServices::real());
    QObject::connect(&lumetraApp, &lumetra::LumetraApp::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    // Qt has taken its own options out of the arguments by now.
    lumetraApp.start(QApplication::arguments().mid(1));
    return QApplication::exec();
}
