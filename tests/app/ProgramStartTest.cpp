#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QString standardError;
};

Outcome runProgram(const QProcessEnvironment &environment)
{
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(LUMETRA_EXECUTABLE), {});
    Outcome outcome;
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished();
        return outcome;
    }
    outcome.exitCode = program.exitCode();
    outcome.exitStatus = program.exitStatus();
    outcome.standardError = QString::fromUtf8(program.readAllStandardError());
    return outcome;
}

} // namespace

TEST(ProgramStart, WithoutADisplaySaysSoInOneLineAndFails)
{
    for (const QString &display : {QString(), QStringLiteral(":4711")}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        if (display.isEmpty())
            environment.remove(QStringLiteral("DISPLAY"));
        else
            environment.insert(QStringLiteral("DISPLAY"), display); // nothing listens there
        const Outcome outcome = runProgram(environment);
        EXPECT_EQ(outcome.exitStatus, QProcess::NormalExit) << "no abort";
        EXPECT_EQ(outcome.exitCode, 1);
        const QStringList lines = outcome.standardError.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 1) << outcome.standardError.toStdString();
        EXPECT_TRUE(lines[0].contains(QStringLiteral("顯示器"))) << lines[0].toStdString();
    }
}
