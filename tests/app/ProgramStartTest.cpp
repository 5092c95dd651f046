#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QString standardOutput;
    QString standardError;
};

Outcome runProgram(const QProcessEnvironment &environment, const QStringList &arguments = {})
{
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(LUMETRA_EXECUTABLE), arguments);
    Outcome outcome;
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished();
        return outcome;
    }
    outcome.exitCode = program.exitCode();
    outcome.exitStatus = program.exitStatus();
    outcome.standardOutput = QString::fromUtf8(program.readAllStandardOutput());
    outcome.standardError = QString::fromUtf8(program.readAllStandardError());
    return outcome;
}

// No display of any kind, and no platform chosen.
QProcessEnvironment withoutDisplay(const QString &display = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (display.isEmpty())
        environment.remove(QStringLiteral("DISPLAY"));
    else
        environment.insert(QStringLiteral("DISPLAY"), display); // nothing listens there
    return environment;
}

} // namespace

TEST(ProgramStart, WithoutADisplaySaysSoInOneLineAndFails)
{
    for (const QString &display : { QString(), QStringLiteral(":4711") }) {
        const Outcome outcome = runProgram(withoutDisplay(display));
        EXPECT_EQ(outcome.exitStatus, QProcess::NormalExit) << "no abort";
        EXPECT_EQ(outcome.exitCode, 1);
        const QStringList lines = outcome.standardError.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 1) << outcome.standardError.toStdString();
        EXPECT_TRUE(lines[0].contains(QStringLiteral("顯示器"))) << lines[0].toStdString();
    }
}

TEST(ProgramStart, TheSelfTestPassesWithoutADisplayWhereverTheSwitchStands)
{
    for (const QStringList &arguments :
        { QStringList { "--self-test" }, QStringList { "script.md", "--self-test", "--other" } }) {
        const Outcome outcome = runProgram(withoutDisplay(), arguments);
        EXPECT_EQ(outcome.exitStatus, QProcess::NormalExit);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.standardError.toStdString();
        EXPECT_EQ(outcome.standardOutput, QStringLiteral("Parser self-test passed\n"));
    }
}

TEST(ProgramStart, ASwitchInsideALongerArgumentTakesTheNormalPath)
{
    // The normal path needs a display, so it ends with the display line instead of a self-test line.
    const Outcome outcome = runProgram(withoutDisplay(), { "--self-test-x" });
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_FALSE(outcome.standardOutput.contains(QStringLiteral("self-test")));
    EXPECT_TRUE(outcome.standardError.contains(QStringLiteral("顯示器"))) << outcome.standardError.toStdString();
}
