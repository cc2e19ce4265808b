// The Keep unfinished game option in the real window: its menu item, the close that keeps the
// game without a question, and the next window that finds it paused.
#include "app/commands.h"
#include "frame_harness.h"
#include "game/game_keeping.h"
#include "game/puzzle_commands.h"
#include "store/kept_game.h"
#include "store/memory_kept_game.h"

#include <QAction>
#include <QFile>
#include <gtest/gtest.h>

namespace kelvaro {
namespace {

Settings keeping() {
    Settings settings;
    settings.difficulty = 1;
    settings.keepGame = 1;
    return settings;
}

QByteArray settingsFile(FrameHarness& h) {
    QFile file(h.config.filePath(QStringLiteral("kelvaro/kelvaro.reg")));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// A stroke down the first column, from row 1 to row 3.
void drawSomething(FrameHarness& h) {
    h.skipSplash();
    h.press(0, 1);
    h.moveTo(0, 2);
    h.moveTo(0, 3);
    h.release(0, 3);
}

TEST(KeepGameInTheWindow, TheOptionIsCheckedInThePuzzleMenuAndSavedWhenToggled) {
    MemoryKeptGame keeper;
    FrameHarness h(std::nullopt, 20261209, true, &keeper);
    QAction* option = h.frame->commandAction(commandKeepGame);
    ASSERT_NE(option, nullptr);
    EXPECT_TRUE(option->isCheckable());
    EXPECT_FALSE(option->isChecked());
    drawSomething(h);
    EXPECT_FALSE(keeper.text.has_value()); // off: nothing kept

    h.command(commandKeepGame);
    EXPECT_TRUE(option->isChecked());
    EXPECT_TRUE(settingsFile(h).contains("\"keepgame\"=dword:00000001"));
    EXPECT_TRUE(keeper.text.has_value()); // the game in progress at once
    h.command(commandKeepGame);
    EXPECT_FALSE(option->isChecked());
    EXPECT_TRUE(settingsFile(h).contains("\"keepgame\"=dword:00000000"));
    EXPECT_FALSE(keeper.text.has_value());
}

TEST(KeepGameInTheWindow, CloseKeepsTheGameAndTheNextWindowShowsItPausedWithItsClock) {
    MemoryKeptGame keeper;
    Layer grid;
    std::uint32_t clock = 0;
    std::string puzzle;
    {
        FrameHarness h(keeping(), 7, true, &keeper);
        drawSomething(h);
        h.advance(4000);
        h.command(commandPause);
        h.boxes.clear();
        EXPECT_TRUE(h.frame->close()); // paused, and still closed: nothing is lost
        EXPECT_TRUE(h.boxes.empty());
        grid = h.board().grid;
        clock = h.state().pauseTick - h.state().startTick;
        puzzle = puzzleNumberText(h.world());
    }
    FrameHarness later(keeping(), 99, true, &keeper);
    EXPECT_EQ(later.state().gamePhase, phasePaused);
    EXPECT_EQ(puzzleNumberText(later.world()), puzzle);
    EXPECT_EQ(later.board().grid, grid);
    EXPECT_EQ(later.state().nowTick - later.state().startTick, clock);
    EXPECT_TRUE(later.frame->commandAction(commandKeepGame)->isChecked());
    later.skipSplash(); // the splash's end leaves it paused
    EXPECT_EQ(later.state().gamePhase, phasePaused);
    later.advance(30'000);
    later.tap(4, 4); // the first tap resumes
    EXPECT_EQ(later.state().gamePhase, phasePlaying);
    later.advance(500);
    EXPECT_EQ(later.now - later.state().startTick, clock + 500);
}

} // namespace
} // namespace kelvaro
