// The kelvaro program itself: it starts, keeps running, and ends cleanly when the session
// asks it to.
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

void startOffscreen(QProcess& program, const QTemporaryDir& config) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KELVARO_PROGRAM), {});
}

TEST(Program, StartsAndClosesOffscreen) {
    QTemporaryDir config;
    QProcess program;
    startOffscreen(program, config);
    ASSERT_TRUE(program.waitForStarted(5000));
    // Still running a second later: the window is up and waiting for the player.
    EXPECT_FALSE(program.waitForFinished(1000)) << program.readAllStandardError().toStdString();

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    // Closing writes nothing: no game was recorded, so no settings file was made.
    EXPECT_TRUE(QDir(config.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
}

TEST(Program, ASignalItsStarterIgnoredStaysIgnored) {
    QTemporaryDir config;
    QProcess program;
    // What "nohup kelvaro" does: the game outlives the terminal that started it.
    program.setChildProcessModifier([] { ::signal(SIGHUP, SIG_IGN); });
    startOffscreen(program, config);
    ASSERT_TRUE(program.waitForStarted(5000));
    ASSERT_FALSE(program.waitForFinished(1000)) << program.readAllStandardError().toStdString();

    ::kill(static_cast<pid_t>(program.processId()), SIGHUP);
    EXPECT_FALSE(program.waitForFinished(500)) << "ended by an ignored hang-up";
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

} // namespace
