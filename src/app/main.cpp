#include "ControlWindow.h"
#include "DisplayCheck.h"

#include <QApplication>

int main(int argc, char **argv)
{
    lumetra::installStartupDisplayCheck();
    QApplication app(argc, argv);
    lumetra::removeStartupDisplayCheck();
    QApplication::setOrganizationName(QStringLiteral("Lumetra"));
    QApplication::setApplicationName(QStringLiteral("Lumetra"));

    lumetra::ControlWindow window;
    window.show();
    return QApplication::exec();
}
