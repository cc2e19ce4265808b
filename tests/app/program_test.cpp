// The kelvaro program itself: it starts, keeps running, and ends cleanly when the session
// asks it to.
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <string>

namespace {

void startOffscreen(QProcess& program, const QTemporaryDir& config,
                    const QStringList& arguments = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KELVARO_PROGRAM), arguments);
}

// The session's SIGTERM ends the program with status 0 within `withinMs`.
void expectEndsOnSigterm(QProcess& program, int withinMs) {
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(withinMs));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

TEST(Program, StartsAndClosesOffscreen) {
    QTemporaryDir config;
    QProcess program;
    startOffscreen(program, config);
    ASSERT_TRUE(program.waitForStarted(5000));
    // Still running a second later: the window is up and waiting for the player.
    EXPECT_FALSE(program.waitForFinished(1000)) << program.readAllStandardError().toStdString();

    expectEndsOnSigterm(program, 5000);
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
    expectEndsOnSigterm(program, 5000);
}

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program to its end with no display of any kind: what it prints needs none.
ProgramRun runWithoutDisplay(const QStringList& arguments) {
    QTemporaryDir config;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KELVARO_PROGRAM), arguments);
    ProgramRun run;
    if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished(5000);
        return run;
    }
    run.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    run.out = program.readAllStandardOutput().toStdString();
    run.err = program.readAllStandardError().toStdString();
    return run;
}

TEST(Program, HelpAndVersionNeedNoDisplay) {
    const ProgramRun help = runWithoutDisplay({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--puzzle N-S"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("Nu-S"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("-platform"), std::string::npos);
    EXPECT_TRUE(help.err.empty());
    const ProgramRun version = runWithoutDisplay({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Kelvaro 1.1\n");
}

TEST(Program, ABadArgumentIsNamedOnStandardErrorWithStatus2) {
    const std::pair<QStringList, const char*> cases[] = {
        {{QStringLiteral("--frob")}, "--frob"},
        {{QStringLiteral("extra")}, "extra"},
        {{QStringLiteral("--puzzle"), QStringLiteral("7-1")}, "7-1"},
        {{QStringLiteral("--puzzle=8-")}, "8-"},
        {{QStringLiteral("--puzzle"), QStringLiteral("12uu-1")}, "12uu-1"},
        {{QStringLiteral("--puzzle")}, "--puzzle"},
        {{QStringLiteral("-platform")}, "-platform"},
    };
    for (const auto& [arguments, named] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ProgramRun run = runWithoutDisplay(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
}

// Qt's own options still reach Qt: here the platform comes from -platform alone.
TEST(Program, StartsOnAPuzzleNumberWithQtsOwnOptions) {
    QTemporaryDir config;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KELVARO_PROGRAM),
                  {QStringLiteral("-platform"), QStringLiteral("offscreen"),
                   QStringLiteral("--puzzle"), QStringLiteral("12-3141592653")});
    ASSERT_TRUE(program.waitForStarted(5000));
    EXPECT_FALSE(program.waitForFinished(1000)) << program.readAllStandardError().toStdString();
    expectEndsOnSigterm(program, 5000);
}

// A unique number is prepared on a worker; a signal that comes meanwhile still ends the
// program at once.
TEST(Program, AUniquePuzzleNumberStartsAndASignalEndsItPromptly) {
    QTemporaryDir config;
    QProcess program;
    startOffscreen(program, config, {QStringLiteral("--puzzle"), QStringLiteral("12u-3141592653")});
    ASSERT_TRUE(program.waitForStarted(5000));
    EXPECT_FALSE(program.waitForFinished(300)) << program.readAllStandardError().toStdString();
    expectEndsOnSigterm(program, 2000);
}

} // namespace
