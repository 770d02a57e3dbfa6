#include "core/IniFile.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// The real program in a folder of its own, with a private runtime folder so
// that it neither meets a plotter of the user nor another test.
struct ProgramRun {
    QTemporaryDir programFolder;
    QTemporaryDir runtimeFolder;

    void start(QProcess& process) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", runtimeFolder.path());
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(programFolder.path());
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(KESMAR_BINARY, {});
    }
};

bool waitFor(const QString& path, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!QFile::exists(path)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

} // namespace

TEST(SingleInstance, SecondStartEndsAtOnceAndTheFirstKeepsRunning)
{
    ProgramRun run;
    QProcess first;
    run.start(first);
    ASSERT_TRUE(first.waitForStarted(5000));
    // The message slot is made last in the start-up: then the first one is up.
    ASSERT_TRUE(waitFor(run.runtimeFolder.filePath("kesmar/nmea.sock"), 15000));

    QProcess second;
    QDeadlineTimer quick(5000);
    run.start(second);
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_FALSE(quick.hasExpired());
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // A termination signal ends the first one like closing its window.
    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitCode(), 0);
    kesmar::IniFile ini(run.programFolder.filePath("KMR.INI"));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.readInt(u"MAP", u"yfactor", 0), 710000);
    EXPECT_TRUE(QFile::exists(run.programFolder.filePath("CHARTDATA/CHART.CFG")));
}
