// The View menu in the real window: its option in both languages, saved and applied at once,
// and the keyboard's cursor and the preparing note standing out on the clear board.
#include "app/commands.h"
#include "app/cursor_overlay.h"
#include "app/view_menu.h"
#include "colour_vision.h"
#include "frame_harness.h"
#include "game/unique_puzzles.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>
#include <limits>

namespace kelvaro {
namespace {

QByteArray settingsFile(FrameHarness& h) {
    QFile file(h.config.filePath(QStringLiteral("kelvaro/kelvaro.reg")));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// The window's pixels once every paint asked for has run.
QImage settledScreen(FrameHarness& h) {
    QApplication::processEvents();
    return onScreen(h);
}

void repaintEverything(FrameHarness& h) {
    h.state().repaintMode = repaintWhole;
    h.frame->invalidateGameArea(gameAreaRect);
    QApplication::processEvents();
}

// The lowest contrast between a pixel of `area` that passes `inside` and a pixel touching it
// that does not.
template <typename Test>
double lowestContrastAround(const QImage& image, const QRect& area, Test inside) {
    double lowest = std::numeric_limits<double>::infinity();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!inside(x, y)) continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= image.width() || ny >= image.height() ||
                        inside(nx, ny))
                        continue;
                    lowest =
                        std::min(lowest, contrastRatio(image.pixel(x, y), image.pixel(nx, ny)));
                }
        }
    return lowest;
}

TEST(ViewMenu, FollowsPuzzleWithItsOptionInEitherLanguage) {
    FrameHarness h;
    const QList<QAction*> bar = h.frame->menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    EXPECT_EQ(bar[0]->menu(), h.frame->gameMenu());
    EXPECT_EQ(bar[1]->menu(), h.frame->puzzleMenu());
    EXPECT_EQ(bar[2]->menu(), h.frame->viewMenu());
    const QList<QAction*> items = h.frame->viewMenu()->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0], h.frame->commandAction(commandClearColours));
    EXPECT_TRUE(items[0]->isCheckable());
    EXPECT_FALSE(items[0]->isChecked());

    const struct {
        std::int32_t language;
        const char* title;
        const char* item;
    } texts[] = {{0, "View", "Clear colours"},
                 {1, "Affichage", "Couleurs contrastées"},
                 {0, "View", "Clear colours"}};
    for (const auto& t : texts) {
        SCOPED_TRACE(t.language);
        h.world().settings.language = t.language;
        h.frame->localiseMenu();
        EXPECT_EQ(h.frame->viewMenu()->title(), QString::fromUtf8(t.title));
        EXPECT_EQ(items[0]->text(), QString::fromUtf8(t.item));
    }
}

TEST(ViewMenu, ClearColoursIsSavedAtOnceAndRepaintsTheWholeBoard) {
    FrameHarness h;
    h.skipSplash();
    const QImage usual = settledScreen(h);
    const QImage usualBuffer = h.frame->backBuffer().image.copy();
    QAction* option = h.frame->commandAction(commandClearColours);

    h.command(commandClearColours);
    EXPECT_TRUE(option->isChecked());
    EXPECT_TRUE(settingsFile(h).contains("\"clearcolours\"=dword:00000001"));
    const QImage clear = settledScreen(h);
    EXPECT_NE(clear, usual);
    EXPECT_EQ(clear, bufferAsShown(h)); // the new frame is on the screen, all of it

    h.command(commandClearColours);
    EXPECT_FALSE(option->isChecked());
    EXPECT_TRUE(settingsFile(h).contains("\"clearcolours\"=dword:00000000"));
    EXPECT_EQ(settledScreen(h), usual);
    EXPECT_EQ(h.frame->backBuffer().image, usualBuffer);
    EXPECT_TRUE(h.boxes.empty());
}

TEST(ViewMenu, AStoredOptionIsCheckedAndPaintedFromTheStart) {
    Settings stored;
    stored.clearColours = 1;
    FrameHarness h(stored);
    EXPECT_TRUE(h.frame->commandAction(commandClearColours)->isChecked());
    EXPECT_EQ(h.world().settings.clearColours, 1);
}

void key(Qt::Key k) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, k);
}

TEST(ViewMenu, TheKeyboardCursorStandsOutOnACellInEveryState) {
    Settings stored;
    stored.clearColours = 1;
    FrameHarness h(stored);
    h.skipSplash();
    key(Qt::Key_Right); // shows the cursor on (0, 0)
    const QRect cell = h.frame->cursorFrame();
    ASSERT_FALSE(cell.isEmpty());
    const struct {
        const char* state;
        std::int8_t errors, revealed, traced;
    } states[] = {
        {"normal", 0, 0, 0}, {"error", 1, 0, 0}, {"revealed", 0, 1, 0}, {"traced", 0, 0, 1}};
    for (const auto& s : states) {
        SCOPED_TRACE(s.state);
        Board& board = h.board();
        for (int i = 0; i < layerCells; ++i) {
            board.errors[i] = s.errors;
            board.revealed[i] = s.revealed;
            board.traceMarks[i] = s.traced;
        }
        repaintEverything(h);
        const QImage screen = settledScreen(h);
        const auto orange = [&screen](int x, int y) {
            return screen.pixel(x, y) == cursorFrameColour;
        };
        EXPECT_GE(lowestContrastAround(screen, cell, orange), 3.0);
    }
}

TEST(ViewMenu, ThePreparingNoteStandsOutOnTheClearBoard) {
    Settings stored;
    stored.clearColours = 1;
    stored.unique = 1;
    FrameHarness h(stored);
    h.skipSplash();
    h.command(commandNewGame);
    // The worker is stopped, and the game waits for a puzzle that never comes.
    PuzzlePreparation& preparation = h.world().preparation;
    cancelPreparation(preparation);
    preparation.active = true;
    preparation.startTick = h.now;
    h.advance(preparingNoteDelayMs + 1);
    ASSERT_TRUE(QTest::qWaitFor([&h] { return !h.frame->preparingNote().isEmpty(); }, 2000));
    const QRect note = h.frame->preparingNote();
    const QImage screen = settledScreen(h);
    // The light frame against everything that touches it, on the board's side too. (The
    // writing sits on the dark plate, well inside.)
    const int factor = h.frame->placement().factor;
    const QRect plate = note.adjusted(3 * factor, 3 * factor, -3 * factor, -3 * factor);
    const auto frame = [&screen, &note, &plate](int x, int y) {
        return note.contains(x, y) && !plate.contains(x, y) && qGray(screen.pixel(x, y)) > 128;
    };
    EXPECT_GE(lowestContrastAround(screen, note.adjusted(-1, -1, 1, 1), frame), 3.0);
    cancelPreparation(preparation);
}

} // namespace
} // namespace kelvaro
