// The real kelvaro program under a virtual X server, played with the mouse and the keys.
#include "desktop_fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>

namespace kelvaro::e2e {
namespace {

constexpr int perfectBannerPicture = 114;
constexpr int englishBannerRow = 13;
constexpr int revealedRgb = 0x00FFFF; // cyan: a cell whose line a hint revealed

class DesktopTest : public WithDesktop<::testing::Test> {
  protected:
    // A DWORD value of the saved settings file, if it holds one under that name.
    std::optional<std::uint32_t> savedNumber(const QString& name) const {
        QFile file(settingsFile());
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
        const QString text = QString::fromLatin1(file.readAll());
        const QRegularExpression value(QStringLiteral("^\"%1\"=dword:([0-9a-f]{8})$").arg(name),
                                       QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = value.match(text);
        if (!match.hasMatch()) return std::nullopt;
        return match.captured(1).toUInt(nullptr, 16);
    }
};

// Whether board cell (x, y) shows the colour of a revealed line somewhere in it.
bool cellRevealed(const QImage& shot, const GameArea& area, int n, int x, int y) {
    const QPoint centre = area.cellCentre(n, x, y);
    const int half = 9 * area.factor;
    for (int dy = -half; dy <= half; ++dy)
        for (int dx = -half; dx <= half; ++dx)
            if ((shot.pixel(centre.x() + dx, centre.y() + dy) & 0xFFFFFF) == revealedRgb)
                return true;
    return false;
}

// Plays the 5 x 5 game on the board to its end with hints: each hint is spent on the first
// cell whose line is not revealed yet, until the revealed lines fill the board and the game
// ends by itself. Returns false when it did not end.
bool finishWithHints(Game& game, const QString& settingsFile) {
    constexpr int n = 5;
    game.tapCell(n, 2, 2); // the clock starts; a hint needs it running
    for (int hints = 0; hints < n * n; ++hints) {
        if (QFile::exists(settingsFile)) return true; // the finished game was saved
        const QImage shot = game.grab();
        if (shot.isNull()) return false;
        int cell = 0;
        while (cell < n * n && cellRevealed(shot, game.area, n, cell % n, cell / n)) ++cell;
        if (cell == n * n) break;
        game.key(QStringLiteral("h"));
        if (!game.answer(QStringLiteral("Info"))) return false;
        game.tapCell(n, cell % n, cell / n);
        pause(250); // apart from the next tap, which must not make a double click
    }
    pause(500);
    return QFile::exists(settingsFile);
}

TEST_F(DesktopTest, AfterTheSplashTheRulesExampleSolvedByDraggingShowsPerfect) {
    Game game(*session, config.path());
    ASSERT_TRUE(game.started()) << game.whyNotStarted().toStdString();
    pause(5600); // the splash lasts five seconds and ends by itself

    game.key(QStringLiteral("F1"));
    ASSERT_FALSE(session->waitForWindow(QStringLiteral("Dialog"), 5000).isEmpty())
        << "the rules did not open";
    game.answer(QStringLiteral("Dialog"));
    ASSERT_TRUE(session->waitUntilGone(QStringLiteral("Dialog"), 5000));
    const QPoint before =
        findBanner(game.grab(), perfectBannerPicture, englishBannerRow, game.area.factor);
    EXPECT_EQ(before, QPoint(-1, -1)) << "a banner before the example was solved";

    // The example's missing line: symbol 1 at the top, down the left column, symbol 1 below.
    game.drag(5, {{1, 0}, {0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 4}});
    pause(300);
    const QPoint banner =
        findBanner(game.grab(), perfectBannerPicture, englishBannerRow, game.area.factor);
    EXPECT_EQ(banner, game.area.windowPixel(90, 13) - QPoint(1, 1) * (game.area.factor / 2))
        << "no \"Perfect!\" banner in its place";
    ASSERT_TRUE(game.exit());
    EXPECT_EQ(game.exitCode(), 0);
    // The example goes into no record; Learn rules saved the settings as they were.
    EXPECT_EQ(savedNumber(QStringLiteral("totalplay00")), 0u);
}

TEST_F(DesktopTest, ANewEasyGameFinishedWithHintsIsRecordedInTheSettingsFile) {
    Game game(*session, config.path());
    ASSERT_TRUE(game.started()) << game.whyNotStarted().toStdString();
    game.key(QStringLiteral("ctrl+n")); // ends the splash with a new game, no question asked
    ASSERT_TRUE(finishWithHints(game, settingsFile())) << "the game did not end";

    const auto played = savedNumber(QStringLiteral("totalplay00"));
    const auto time = savedNumber(QStringLiteral("totaltime00"));
    const auto penalty = savedNumber(QStringLiteral("totalpenal00"));
    const auto best = savedNumber(QStringLiteral("besttime00"));
    ASSERT_TRUE(played && time && penalty && best);
    EXPECT_EQ(*played, 1u);
    EXPECT_GT(*time, 0u);
    // Every line came from a hint: every segment cell was charged, 15 seconds each.
    EXPECT_GE(*penalty, 1u);
    EXPECT_LE(*penalty, 25u - 2u);
    EXPECT_EQ(*best, *time + 15000u * *penalty);
    EXPECT_EQ(savedNumber(QStringLiteral("totalplay01")), 0u) << "recorded for the wrong player";
    EXPECT_EQ(savedNumber(QStringLiteral("size")), 0u);
    ASSERT_TRUE(game.exit());
    EXPECT_EQ(game.exitCode(), 0);
}

TEST_F(DesktopTest, AGameOptionsWithAColourAndTheRulesWriteOnlyTheSettingsFile) {
    Game game(*session, config.path());
    ASSERT_TRUE(game.started()) << game.whyNotStarted().toStdString();
    game.key(QStringLiteral("ctrl+n"));
    ASSERT_TRUE(finishWithHints(game, settingsFile()));

    // Options: the line colour button, a colour typed into the picker, its OK, then Close.
    game.key(QStringLiteral("ctrl+comma"));
    const QString options = session->waitForWindow(QStringLiteral("Options"), 5000);
    ASSERT_FALSE(options.isEmpty());
    // The button sits at (102, 19) in the dialog's 167 x 174 units, 22 x 10 units large.
    const QRect dialog = session->geometry(options);
    session->xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), options,
                      QString::number(dialog.width() * 113 / 167),
                      QString::number(dialog.height() * 24 / 174), QStringLiteral("click"),
                      QStringLiteral("1")});
    const QString picker = session->waitForWindow(QStringLiteral("Color"), 5000);
    ASSERT_FALSE(picker.isEmpty());
    session->xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), picker});
    session->xdotool({QStringLiteral("key"), QStringLiteral("alt+h"), QStringLiteral("ctrl+a")});
    session->xdotool({QStringLiteral("type"), QStringLiteral("#204080")});
    // Its OK button, at the bottom right.
    const QRect pickerRect = session->geometry(picker);
    session->xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), picker,
                      QString::number(pickerRect.width() - 137),
                      QString::number(pickerRect.height() - 24), QStringLiteral("click"),
                      QStringLiteral("1")});
    ASSERT_TRUE(session->waitUntilGone(QStringLiteral("Color"), 5000));
    // The dialog's one closing button, at the bottom right.
    session->xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), options,
                      QString::number(dialog.width() - 45), QString::number(dialog.height() - 18),
                      QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(session->waitUntilGone(QStringLiteral("Options"), 5000));
    pause(300);
    EXPECT_EQ(savedNumber(QStringLiteral("lineOK")), 0x804020u) << "the colour was not saved";

    game.key(QStringLiteral("F1"));
    ASSERT_TRUE(game.answer(QStringLiteral("Dialog")));
    ASSERT_TRUE(game.exit());
    EXPECT_EQ(game.exitCode(), 0);

    QStringList written;
    QDirIterator everything(config.path(),
                            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDirIterator::Subdirectories);
    while (everything.hasNext()) written << QDir(config.path()).relativeFilePath(everything.next());
    written.sort();
    EXPECT_EQ(written,
              QStringList({QStringLiteral("kelvaro"), QStringLiteral("kelvaro/kelvaro.reg")}));
}

} // namespace
} // namespace kelvaro::e2e
