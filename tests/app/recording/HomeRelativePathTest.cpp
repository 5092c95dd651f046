#include "recording/HomeRelativePath.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

using lumetra::homeRelativePath;

namespace {

TEST(HomeRelativePathTest, OnlyALeadingWholeHomeFolderBecomesATilde)
{
    const QString home = QStringLiteral("/home/ana");
    EXPECT_EQ(homeRelativePath(QStringLiteral("/home/ana/Videos/Lumetra"), home), QStringLiteral("~/Videos/Lumetra"));
    EXPECT_EQ(homeRelativePath(QStringLiteral("/home/ana"), home), QStringLiteral("~"));
    EXPECT_EQ(homeRelativePath(QStringLiteral("/home/ana/"), home), QStringLiteral("~/"));
    // Another user's folder that merely begins with the same letters is not home.
    EXPECT_EQ(homeRelativePath(QStringLiteral("/home/anabel/Videos"), home), QStringLiteral("/home/anabel/Videos"));
    // A copy of the home path deeper down is a different folder.
    EXPECT_EQ(homeRelativePath(QStringLiteral("/mnt/backup/home/ana/Videos"), home),
        QStringLiteral("/mnt/backup/home/ana/Videos"));
    EXPECT_EQ(homeRelativePath(QStringLiteral("/srv/takes"), home), QStringLiteral("/srv/takes"));
}

TEST(HomeRelativePathTest, AHomeGivenWithATrailingSlashOrTheRootChangesNothingElse)
{
    EXPECT_EQ(
        homeRelativePath(QStringLiteral("/home/ana/Videos"), QStringLiteral("/home/ana/")), QStringLiteral("~/Videos"));
    // Without a real home every path would begin with it.
    EXPECT_EQ(homeRelativePath(QStringLiteral("/srv/takes"), QStringLiteral("/")), QStringLiteral("/srv/takes"));
    EXPECT_EQ(homeRelativePath(QStringLiteral("/srv/takes"), QString()), QStringLiteral("/srv/takes"));
}

} // namespace
