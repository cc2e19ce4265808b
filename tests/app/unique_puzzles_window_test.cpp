// The Unique puzzles option in the real window: its menu item, a unique puzzle arriving from
// the worker through the event loop, the note drawn over the picture while it is prepared,
// and a window closed in the middle of it.
#include "app/commands.h"
#include "app/preparing_note.h"
#include "engine/ladder.h"
#include "engine/puzzle_number.h"
#include "frame_harness.h"
#include "game/puzzle_commands.h"
#include "game/unique_puzzles.h"

#include <QAction>
#include <QFile>
#include <gtest/gtest.h>

namespace kelvaro {
namespace {

Settings withUnique(std::int32_t difficulty) {
    Settings settings;
    settings.difficulty = difficulty;
    settings.unique = 1;
    return settings;
}

// Lets the event loop deliver the worker's puzzle.
bool puzzleArrives(FrameHarness& h) {
    return QTest::qWaitFor([&h] { return !preparingPuzzle(h.world()); }, 10000);
}

QByteArray settingsFile(FrameHarness& h) {
    QFile file(h.config.filePath(QStringLiteral("kelvaro/kelvaro.reg")));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void expectNumberedPuzzle(FrameHarness& h) {
    Board expected;
    Mt19937Source fresh(h.world().puzzle.seed);
    generateNumberedPuzzle(expected, fresh, h.world().puzzle);
    EXPECT_EQ(h.board().solution, expected.solution);
    EXPECT_EQ(h.board().grid, expected.grid);
}

// The window's pixels once the paints that the last event asked for, and those they asked
// for in turn, have run. Taken before the buffer is looked at: a paint composes it.
QImage settledScreen(FrameHarness& h) {
    QApplication::processEvents();
    return onScreen(h);
}

// From here on the game waits for a puzzle that never comes: the worker is stopped, and the
// preparation stays open, begun now on the window's clock.
void holdPreparation(FrameHarness& h) {
    PuzzlePreparation& preparation = h.world().preparation;
    cancelPreparation(preparation);
    preparation.active = true;
    preparation.startTick = h.now;
}

TEST(UniquePuzzlesInTheWindow, TheOptionIsCheckedInThePuzzleMenuAndSavedWhenToggled) {
    FrameHarness h;
    QAction* option = h.frame->commandAction(commandUniquePuzzles);
    ASSERT_NE(option, nullptr);
    EXPECT_TRUE(option->isCheckable());
    EXPECT_FALSE(option->isChecked());
    EXPECT_TRUE(option->isEnabled());
    h.skipSplash();
    const Layer before = h.board().solution;

    h.command(commandUniquePuzzles);
    EXPECT_TRUE(option->isChecked());
    EXPECT_EQ(h.world().settings.unique, 1);
    EXPECT_TRUE(settingsFile(h).contains("\"unique\"=dword:00000001"));
    EXPECT_EQ(h.board().solution, before); // the next new game uses it, not this one

    h.command(commandNewGame);
    ASSERT_TRUE(puzzleArrives(h));
    EXPECT_TRUE(h.world().puzzle.unique);
    expectNumberedPuzzle(h);
    // The number item names the puzzle and the ladder's level for it.
    const int level = gradePuzzle(h.board(), gradeStepBudget).level;
    EXPECT_GT(level, 0);
    EXPECT_EQ(h.frame->commandAction(commandPuzzleNumber)->text(),
              "Puzzle " + QString::fromStdString(puzzleNumberText(h.world())) + ", level " +
                  QString::number(level));
    EXPECT_TRUE(h.frame->commandAction(commandPuzzleNumber)->text().startsWith("Puzzle 5u-"));
    h.world().settings.language = 1;
    h.frame->localiseMenu();
    EXPECT_TRUE(h.frame->commandAction(commandPuzzleNumber)
                    ->text()
                    .endsWith(", niveau " + QString::number(level)));
    h.world().settings.language = 0;
    h.frame->localiseMenu();

    h.command(commandUniquePuzzles);
    EXPECT_FALSE(option->isChecked());
    EXPECT_TRUE(settingsFile(h).contains("\"unique\"=dword:00000000"));
    EXPECT_TRUE(h.boxes.empty());
}

TEST(UniquePuzzlesInTheWindow, TheFirstGameOfARunWithTheOptionOnIsAUniquePuzzle) {
    FrameHarness h(withUnique(2));
    EXPECT_TRUE(h.frame->commandAction(commandUniquePuzzles)->isChecked());
    ASSERT_TRUE(puzzleArrives(h));
    EXPECT_EQ(h.world().puzzle.size, 12);
    EXPECT_TRUE(h.world().puzzle.unique);
    expectNumberedPuzzle(h);
    EXPECT_TRUE(h.boxes.empty());
}

TEST(UniquePuzzlesInTheWindow, TheNoteIsDrawnOverThePictureAfterATenthOfASecondAndLeavesNoTrace) {
    FrameHarness h(withUnique(2));
    h.skipSplash();
    h.command(commandNewGame);
    holdPreparation(h);
    h.frame->onCommand(0); // any event: the shell looks at the game again
    const QImage waiting = settledScreen(h);
    EXPECT_EQ(waiting, bufferAsShown(h));
    EXPECT_TRUE(h.frame->preparingNote().isEmpty());
    EXPECT_FALSE(h.frame->commandAction(commandRestart)->isEnabled());
    EXPECT_FALSE(h.frame->commandAction(commandCopyNumber)->isEnabled());

    h.advance(101);
    ASSERT_TRUE(QTest::qWaitFor([&h] { return !h.frame->preparingNote().isEmpty(); }, 2000));
    const QRect note = h.frame->preparingNote();
    EXPECT_EQ(note, widgetRect(h.frame->placement(), preparingNoteRect));
    const QImage buffer = h.frame->backBuffer().image.copy();
    const QImage shownBuffer = bufferAsShown(h);
    const auto checkPicture = [&] {
        const QImage screen = settledScreen(h);
        // A dark plate with light writing on it.
        int plate = 0, ink = 0;
        for (int y = note.top(); y <= note.bottom(); ++y)
            for (int x = note.left(); x <= note.right(); ++x) {
                plate += screen.pixel(x, y) == 0xFF202020;
                ink += qGray(screen.pixel(x, y)) > 128;
            }
        EXPECT_GT(plate, note.width() * note.height() / 2);
        EXPECT_GT(ink, 2 * (note.width() + note.height()));
        QImage outside = screen;
        for (int y = note.top(); y <= note.bottom(); ++y)
            for (int x = note.left(); x <= note.right(); ++x)
                outside.setPixel(x, y, shownBuffer.pixel(x, y));
        EXPECT_EQ(outside, shownBuffer);
        EXPECT_EQ(h.frame->backBuffer().image, buffer);
    };
    checkPicture();
    // A whole frame composed again, while the note shows: the buffer is the painters' alone.
    h.world().state.repaintMode = repaintWhole;
    h.frame->services().requestRepaint();
    checkPicture();

    // The puzzle comes: the note goes, and the window shows the buffer everywhere.
    h.command(commandNewGame);
    ASSERT_TRUE(puzzleArrives(h));
    EXPECT_TRUE(h.frame->preparingNote().isEmpty());
    const QImage ready = settledScreen(h);
    EXPECT_EQ(ready, bufferAsShown(h));
    EXPECT_TRUE(h.frame->commandAction(commandRestart)->isEnabled());
}

TEST(UniquePuzzlesInTheWindow, TheNoteWaitsForTheSplashToEnd) {
    FrameHarness h(withUnique(0));
    holdPreparation(h);
    h.advance(500);
    h.frame->onCommand(0);
    QApplication::processEvents();
    EXPECT_TRUE(h.frame->preparingNote().isEmpty());
    h.skipSplash();
    EXPECT_FALSE(h.frame->preparingNote().isEmpty());
    EXPECT_TRUE(preparingPuzzle(h.world()));
}

TEST(UniquePuzzlesInTheWindow, ClosingTheWindowStopsTheWorker) {
    FrameHarness h(withUnique(2));
    h.skipSplash();
    h.command(commandNewGame);
    h.frame->close();
    EXPECT_FALSE(h.frame->isVisible());
    EXPECT_FALSE(preparingPuzzle(h.world()));
    EXPECT_FALSE(h.world().preparation.worker.joinable());
    EXPECT_TRUE(h.boxes.empty());
}

} // namespace
} // namespace kelvaro
