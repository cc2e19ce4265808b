// The session's signals end the real program at once, whatever it is doing: no question, no
// code that follows an open dialog or message box, nothing written.
#include "desktop_fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <map>

namespace kelvaro::e2e {
namespace {

enum class Phase { splash, idle, clockRunning, paused, finished, optionsOpen, messageBoxOpen };

struct Case {
    Phase phase;
    int signalNumber;
    const char* name;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

// One signal per phase, each signal in more than one: every signal takes the same road.
const Case cases[] = {
    {Phase::splash, SIGHUP, "SplashSighup"},
    {Phase::idle, SIGINT, "IdleSigint"},
    {Phase::clockRunning, SIGTERM, "ClockRunningSigterm"},
    {Phase::paused, SIGTERM, "PausedSigterm"},
    {Phase::finished, SIGINT, "FinishedSigint"},
    {Phase::optionsOpen, SIGTERM, "OptionsOpenSigterm"},
    {Phase::messageBoxOpen, SIGTERM, "MessageBoxOpenSigterm"},
};

// Every file under a folder with its bytes.
std::map<std::string, std::string> folderContents(const QString& path) {
    std::map<std::string, std::string> contents;
    QDirIterator files(path, QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        contents[QDir(path).relativeFilePath(file.fileName()).toStdString()] =
            file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "unreadable";
    }
    return contents;
}

class SignalExitTest : public WithDesktop<::testing::TestWithParam<Case>> {
  protected:
    // One earlier game on record, with a best time that any game beats.
    void storeSlowRecord() const {
        QDir(config.path()).mkpath(QStringLiteral("kelvaro"));
        QFile file(settingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Windows Registry Editor Version 5.00\n\n"
                   "[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]\n"
                   "\"totalplay00\"=dword:00000001\n"
                   "\"besttime00\"=dword:00895440\n");
    }

    bool waitForFile(int timeoutMs) const {
        QElapsedTimer clock;
        clock.start();
        while (!QFile::exists(settingsFile()) && clock.elapsed() < timeoutMs) pause(50);
        return QFile::exists(settingsFile());
    }

    // Brings the program into the phase; false when it did not get there.
    bool enter(Game& game, Phase phase) const {
        if (phase == Phase::splash) return true;
        game.key(QStringLiteral("ctrl+n")); // ends the splash, no clock runs: no question
        if (phase == Phase::idle) return true;
        if (phase == Phase::optionsOpen) {
            game.key(QStringLiteral("ctrl+comma"));
            return !session->waitForWindow(QStringLiteral("Options"), 5000).isEmpty();
        }
        game.tapCell(5, 2, 2); // the clock starts
        if (phase == Phase::clockRunning) return true;
        if (phase == Phase::paused) {
            game.key(QStringLiteral("p"));
            return true;
        }
        // Show solution on an unsolved board asks first; the game then goes into the records.
        game.key(QStringLiteral("s"));
        if (!game.answer(QStringLiteral("Warning"))) return false;
        if (phase == Phase::finished) return waitForFile(5000);
        // The record beats the stored best time: "Best time!" shows before the save.
        return !session->waitForWindow(QStringLiteral("Congratulations"), 5000).isEmpty();
    }
};

TEST_P(SignalExitTest, EndsAtOnceWithoutAQuestionAndWritesNothing) {
    const Case& c = GetParam();
    if (c.phase == Phase::messageBoxOpen) storeSlowRecord();
    Game game(*session, config.path());
    ASSERT_TRUE(game.started()) << game.whyNotStarted().toStdString();
    ASSERT_TRUE(enter(game, c.phase)) << "the program did not reach the phase";
    pause(200);
    ASSERT_FALSE(game.waitForEnd(0)) << "the program ended before the signal";
    const std::map<std::string, std::string> before = folderContents(config.path());

    QElapsedTimer clock;
    clock.start();
    ::kill(static_cast<pid_t>(game.processId()), c.signalNumber);
    // Promptly: well under a second, where a question would keep it alive for good.
    const bool ended = game.waitForEnd(1000);
    const qint64 took = clock.elapsed();
    ASSERT_TRUE(ended) << "still running after the signal";
    EXPECT_TRUE(game.exitedNormally()) << "killed by the signal";
    EXPECT_EQ(game.exitCode(), 0);
    RecordProperty("exitMs", static_cast<int>(took));
    // Nothing is saved at exit, and nothing that followed a dialog or a box ran.
    EXPECT_EQ(folderContents(config.path()), before);
}

INSTANTIATE_TEST_SUITE_P(EveryPhase, SignalExitTest, ::testing::ValuesIn(cases),
                         [](const ::testing::TestParamInfo<Case>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
} // namespace kelvaro::e2e
