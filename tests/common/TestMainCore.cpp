#include "TestSettingsSandbox.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LumetraTests"));
    QCoreApplication::setApplicationName(QStringLiteral("LumetraTests"));
    lumetra::testing::redirectSettingsToTemporaryFolder();
    return RUN_ALL_TESTS();
}
