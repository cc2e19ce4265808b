// The unfinished game kept by the real program: closed, ended by SIGTERM or killed outright,
// and found again, paused, at the next start.
#include "desktop_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>

namespace kelvaro::e2e {
namespace {

constexpr int side = 5;
// The 5 x 5 board in buffer pixels.
constexpr int boardLeft = 70;
constexpr int boardTop = 100;

class KeptGameTest : public WithDesktop<::testing::Test> {
  protected:
    void SetUp() override {
        WithDesktop::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // The easy difficulty, with the option on.
        QDir(config.path()).mkpath(QStringLiteral("kelvaro"));
        QFile file(settingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Windows Registry Editor Version 5.00\n\n"
                   "[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]\n"
                   "\"size\"=dword:00000000\n"
                   "\"keepgame\"=dword:00000001\n");
    }

    QString keptFile() const {
        return config.filePath(QStringLiteral("state/kelvaro/kept-game.json"));
    }

    QJsonObject kept() const {
        QFile file(keptFile());
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    std::optional<std::uint32_t> savedNumber(const QString& name) const {
        QFile file(settingsFile());
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
        const QRegularExpression value(QStringLiteral("^\"%1\"=dword:([0-9a-f]{8})$").arg(name),
                                       QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = value.match(QString::fromLatin1(file.readAll()));
        if (!match.hasMatch()) return std::nullopt;
        return match.captured(1).toUInt(nullptr, 16);
    }

    QByteArray settingsBytes() const {
        QFile file(settingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The board's pixels as the window shows them.
    static QImage board(const Game& game) {
        const QPoint topLeft = game.area.windowPixel(boardLeft, boardTop);
        const QPoint bottomRight =
            game.area.windowPixel(boardLeft + 20 * side - 1, boardTop + 20 * side - 1);
        return game.grab().copy(QRect(topLeft, bottomRight));
    }

    // A new game, then a stroke along the middle row: five board events. Undone and redone,
    // so that the line's head is no longer shown: a stroke is never taken into the next run.
    static void draw(Game& game) {
        game.key(QStringLiteral("ctrl+n")); // ends the splash; no clock runs yet
        game.drag(side, {{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}});
        game.key(QStringLiteral("ctrl+z"));
        game.key(QStringLiteral("ctrl+y"));
        pause(300);
    }

    // The next start with the kept game: the splash ended by a tap, the game under it paused.
    void expectResumedPaused(Game& game, const QImage& boardBefore) {
        ASSERT_TRUE(game.started()) << game.whyNotStarted().toStdString();
        game.tapCell(side, 0, 0); // ends the splash only
        pause(700);               // apart from the next tap, which must not make a double click
        EXPECT_NE(board(game), boardBefore) << "the board shows while paused";
        game.tapCell(side, 0, 0); // resumes, and draws nothing
        pause(300);
        const QImage after = board(game);
        EXPECT_EQ(after, boardBefore) << "not the same board";
        if (after != boardBefore) {
            after.save(QDir::temp().filePath(QStringLiteral("kelvaro-kept-after.png")));
            boardBefore.save(QDir::temp().filePath(QStringLiteral("kelvaro-kept-before.png")));
        }
    }
};

TEST_F(KeptGameTest, CloseAskNothingAndTheNextStartResumesThePausedGameRecordedOnceFinished) {
    QImage before;
    int clockMs = 0;
    {
        Game game(*session, config.path());
        ASSERT_TRUE(game.started()) << game.whyNotStarted().toStdString();
        draw(game);
        before = board(game);
        ASSERT_TRUE(game.exit()) << "Exit asked a question with the clock running";
        EXPECT_EQ(game.exitCode(), 0);
        const QJsonObject game1 = kept();
        EXPECT_EQ(game1.value(QStringLiteral("taps")).toInt(), side);
        clockMs = game1.value(QStringLiteral("clockMs")).toInt(-1);
        EXPECT_GT(clockMs, 0);
    }
    {
        Game game(*session, config.path());
        expectResumedPaused(game, before);
        game.key(QStringLiteral("s")); // Show solution: the game ends and is recorded
        ASSERT_TRUE(game.answer(QStringLiteral("Warning")));
        pause(500);
        EXPECT_EQ(savedNumber(QStringLiteral("totalplay00")), 1u);
        // The time went on from the kept clock: never less than it.
        EXPECT_GE(savedNumber(QStringLiteral("totaltime00")).value_or(0),
                  static_cast<std::uint32_t>(clockMs));
        EXPECT_FALSE(QFile::exists(keptFile()));
        ASSERT_TRUE(game.exit());
    }
    Game game(*session, config.path());
    ASSERT_TRUE(game.started()) << game.whyNotStarted().toStdString();
    ASSERT_TRUE(game.exit());
    EXPECT_EQ(savedNumber(QStringLiteral("totalplay00")), 1u) << "recorded twice";
}

TEST_F(KeptGameTest, SigtermKeepsTheGameLeavesTheSettingsAloneAndEndsAtOnce) {
    QImage before;
    {
        Game game(*session, config.path());
        ASSERT_TRUE(game.started()) << game.whyNotStarted().toStdString();
        draw(game);
        before = board(game);
        const QByteArray settings = settingsBytes();
        QElapsedTimer clock;
        clock.start();
        ::kill(static_cast<pid_t>(game.processId()), SIGTERM);
        ASSERT_TRUE(game.waitForEnd(1000)) << "still running a second after the signal";
        EXPECT_TRUE(game.exitedNormally());
        EXPECT_EQ(game.exitCode(), 0);
        RecordProperty("exitMs", static_cast<int>(clock.elapsed()));
        EXPECT_EQ(settingsBytes(), settings);
        EXPECT_EQ(kept().value(QStringLiteral("taps")).toInt(), side);
    }
    Game game(*session, config.path());
    expectResumedPaused(game, before);
    ASSERT_TRUE(game.exit());
}

TEST_F(KeptGameTest, AKillAfterAStepLosesAtMostTheLastSecond) {
    Game game(*session, config.path());
    ASSERT_TRUE(game.started()) << game.whyNotStarted().toStdString();
    draw(game); // written at once: the first step of the run
    EXPECT_EQ(kept().value(QStringLiteral("taps")).toInt(), side);
    game.drag(side, {{0, 3}, {1, 3}, {2, 3}}); // less than a second later: waits its turn
    pause(1200);
    ::kill(static_cast<pid_t>(game.processId()), SIGKILL);
    ASSERT_TRUE(game.waitForEnd(2000));
    EXPECT_EQ(kept().value(QStringLiteral("taps")).toInt(), side + 3);
    // Never half a file: no temporary file is left for the next start to trip on.
    EXPECT_EQ(QDir(config.filePath(QStringLiteral("state/kelvaro")))
                  .entryList(QDir::Files | QDir::Hidden)
                  .size(),
              1);
}

} // namespace
} // namespace kelvaro::e2e
