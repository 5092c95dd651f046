#include "TestSettingsSandbox.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("LumetraTests"));
    QApplication::setApplicationName(QStringLiteral("LumetraTests"));
    lumetra::testing::redirectSettingsToTemporaryFolder();
    return RUN_ALL_TESTS();
}
