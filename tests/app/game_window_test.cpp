// Whole games played in the real window with real mouse events.
#include "app/commands.h"
#include "dialogs/options_dialog.h"
#include "dialogs/rules_dialog.h"
#include "frame_harness.h"
#include "game/unique_puzzles.h"
#include "render/colour.h"
#include "render/splash_paint.h"

#include <QRadioButton>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace kelvaro {
namespace {

bool sameRecords(const Statistics& a, const Statistics& b) {
    return a.bestTime == b.bestTime && a.gamesPlayed == b.gamesPlayed &&
           a.totalTime == b.totalTime && a.totalPenalty == b.totalPenalty &&
           a.histogram == b.histogram;
}

// The first endpoint, column by column, whose line is not revealed yet.
std::optional<Cell> unrevealedEndpoint(const Board& board) {
    for (int x = 0; x < board.boardSize; ++x) {
        for (int y = 0; y < board.boardSize; ++y) {
            const int i = x * storageSide + y;
            if (board.solution[i] > 0 && board.revealed[i] == 0) {
                return Cell{static_cast<std::int8_t>(x), static_cast<std::int8_t>(y)};
            }
        }
    }
    return std::nullopt;
}

TEST(PlayingInTheWindow, EveryLineRevealedByHintsFinishesAndRecordsTheGame) {
    FrameHarness h;
    h.skipSplash();
    ASSERT_EQ(h.board().boardSize, 5);
    h.tap(2, 2); // the first board tap starts the clock
    const std::uint32_t started = h.state().startTick;
    ASSERT_EQ(started, h.now);
    EXPECT_EQ(h.frame->services().windowTimerPeriod(), 100);

    int hints = 0;
    while (const std::optional<Cell> endpoint = unrevealedEndpoint(h.board())) {
        ASSERT_LT(hints, 13) << "a hint revealed nothing";
        h.advance(1000);
        QTest::keyClick(h.frame.get(), Qt::Key_H);
        h.tap(endpoint->x, endpoint->y);
        ++hints;
    }

    int segments = 0;
    for (int x = 0; x < 5; ++x) {
        for (int y = 0; y < 5; ++y) segments += h.board().solution[x * storageSide + y] < 0;
    }
    const GameState& s = h.state();
    EXPECT_EQ(s.gamePhase, phaseFinished);
    EXPECT_EQ(s.solveState, 0);
    EXPECT_EQ(s.penaltyCells, segments);
    const std::int32_t elapsed = static_cast<std::int32_t>(h.now - started);
    EXPECT_EQ(s.finalTime, elapsed + segments * 15000);
    EXPECT_EQ(h.frame->services().windowTimerPeriod(), 0);
    ASSERT_EQ(h.boxes.size(), static_cast<std::size_t>(hints)); // no question, no best-time box
    for (const ShownBox& box : h.boxes) {
        EXPECT_EQ(box.text, "One line will be revealed, and 15 seconds penalty per segment");
        EXPECT_EQ(box.caption, "Info");
    }

    const Statistics& records = h.world().statistics;
    EXPECT_EQ(records.gamesPlayed[0][0], 1);
    EXPECT_EQ(records.totalTime[0][0], elapsed);
    EXPECT_EQ(records.totalPenalty[0][0], segments);
    EXPECT_EQ(records.bestTime[0][0], s.finalTime);
    EXPECT_NE(records.histogram[0][0][0], '\0');
    EXPECT_EQ(records.gamesPlayed[1][0] + records.gamesPlayed[0][1], 0);

    // What was saved reads back as the records in memory.
    FileRegistry reread;
    Settings settings;
    Statistics saved;
    loadSettings(settings, saved, reread);
    EXPECT_TRUE(sameRecords(saved, records));
}

TEST(PlayingInTheWindow, LearnRulesThenTheExampleSolvedByMouseIsPerfectAndUnrecorded) {
    FrameHarness h;
    h.skipSplash();
    bool rulesShown = false;
    h.insideDialog = [&](QDialog& dialog) {
        rulesShown = dynamic_cast<RulesDialog*>(&dialog) != nullptr;
        return int(QDialog::Accepted);
    };
    const Statistics before = h.world().statistics;
    QTest::keyClick(h.frame.get(), Qt::Key_F1);
    EXPECT_TRUE(rulesShown);
    ASSERT_EQ(h.state().exampleMode, 1);

    // Symbol 1 runs from (1,0) down the empty left column to (1,4).
    h.press(1, 0);
    for (int y = 0; y < 5; ++y) h.moveTo(0, y);
    h.moveTo(1, 4);
    h.release(1, 4);
    QApplication::processEvents();

    EXPECT_EQ(h.state().gamePhase, phaseFinished);
    EXPECT_EQ(h.state().solveState, 0);
    EXPECT_TRUE(sameRecords(h.world().statistics, before));
    EXPECT_TRUE(h.boxes.empty());

    // The banner's letters are green on black at (90, 13), 65 x 13.
    h.area()->repaint();
    const QImage& frame = h.frame->backBuffer().image;
    int green = 0;
    for (int y = 13; y < 26; ++y) {
        for (int x = 90; x < 155; ++x) green += frame.pixel(x, y) == toQRgb(0x00FF00);
    }
    EXPECT_GT(green, 20);
}

TEST(PlayingInTheWindow, OptionsWithAnotherDifficultyStartsThatSizeWithoutAQuestion) {
    FrameHarness h;
    h.skipSplash();
    ASSERT_EQ(h.board().boardSize, 5);
    h.insideDialog = [](QDialog& dialog) {
        EXPECT_NE(dynamic_cast<OptionsDialog*>(&dialog), nullptr);
        auto* medium = dialog.findChild<QRadioButton*>(QStringLiteral("1019"));
        if (medium == nullptr) {
            ADD_FAILURE() << "no medium button";
            return int(QDialog::Rejected);
        }
        medium->click();
        dialog.accept();
        return dialog.result();
    };
    QTest::keyClick(h.frame.get(), Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(h.dialogsRun, 1);
    EXPECT_EQ(h.world().settings.difficulty, 1);
    EXPECT_EQ(h.board().boardSize, 8);
    EXPECT_EQ(h.state().gamePhase, phasePlaying);
    EXPECT_EQ(h.state().tapCount, 0);
    EXPECT_TRUE(h.boxes.empty());
}

TEST(StylusInTheWindow, ADragBeyondTheGameAreaLeavesTheBoard) {
    Settings hard;
    hard.difficulty = 2;
    FrameHarness h(hard);
    h.skipSplash();
    ASSERT_EQ(h.board().boardSize, 12);
    // The 12 x 12 board fills the game area to its sides and bottom: a drag that overshoots
    // them goes off the board, as it went off the device's, and never draws along its edge.
    const QPoint beyond[] = {
        h.cellCentre(11, 5) + QPoint(5000, 0),                      // far right of the window
        QPoint(h.cellCentre(11, 5).x(), 100000),                    // far below it
        h.cellCentre(0, 5) - QPoint(h.cellCentre(0, 5).x() + 1, 0), // just left of it
    };
    for (const QPoint& at : beyond) {
        SCOPED_TRACE(testing::Message() << at.x() << ", " << at.y());
        h.press(10, 5);
        h.moveTo(11, 5);
        const std::int8_t edgeCell = h.board().grid[11 * storageSide + 5];
        const int taps = h.state().tapCount;
        QTest::mouseMove(h.area(), at);
        EXPECT_EQ(h.state().curX, -1);
        EXPECT_EQ(h.state().prevX, -1);
        EXPECT_EQ(h.state().tapCount, taps); // no board event
        h.moveTo(11, 6);                     // back on the board: a fresh stroke
        EXPECT_EQ(h.board().grid[11 * storageSide + 5], edgeCell) << "the edge cell was drawn on";
        h.release(11, 6);
    }
}

TEST(StylusInTheWindow, APressInTheBlackMarginDropsAPendingHint) {
    Settings hard;
    hard.difficulty = 2;
    FrameHarness h(hard);
    h.frame->resize(1000, 900); // black margins left and right of the game area
    QTest::qWait(20);
    h.skipSplash();
    h.tap(2, 2); // the clock starts
    QTest::keyClick(h.frame.get(), Qt::Key_H);
    ASSERT_EQ(h.state().hintMode, 1);
    const QRect target = h.frame->placement().target;
    ASSERT_GT(target.left(), 0);
    h.advance(300);
    QTest::mouseClick(h.area(), Qt::LeftButton, {},
                      QPoint(target.left() / 2, h.cellCentre(0, 0).y()));
    EXPECT_EQ(h.state().hintMode, 0);
    EXPECT_EQ(h.state().penaltyCells, 0);
    for (const std::int8_t revealed : h.board().revealed) EXPECT_EQ(revealed, 0);
}

TEST(StylusInTheWindow, DoubleClickErasesTheCellUnderIt) {
    Settings hard;
    hard.difficulty = 2;
    FrameHarness h(hard);
    h.skipSplash();
    // Three segment cells in a row, the middle one to be drawn and then erased.
    const auto segment = [&](int x, int y) { return h.board().solution[x * storageSide + y] < 0; };
    int row = -1, col = -1;
    for (int y = 0; y < 12 && row < 0; ++y) {
        for (int x = 0; x + 2 < 12; ++x) {
            if (segment(x, y) && segment(x + 1, y) && segment(x + 2, y)) {
                row = y;
                col = x;
                break;
            }
        }
    }
    ASSERT_GE(row, 0);
    h.press(col, row);
    h.moveTo(col + 1, row);
    h.moveTo(col + 2, row);
    h.release(col + 2, row);
    const int middle = (col + 1) * storageSide + row;
    ASSERT_EQ(h.board().grid[middle], -24);

    // The platform's double click: down, up, double click, up.
    h.advance(100);
    QTest::mouseClick(h.area(), Qt::LeftButton, {}, h.cellCentre(col + 1, row));
    QTest::mouseDClick(h.area(), Qt::LeftButton, {}, h.cellCentre(col + 1, row));
    QTest::mouseRelease(h.area(), Qt::LeftButton, {}, h.cellCentre(col + 1, row));
    EXPECT_EQ(h.board().grid[middle], 0);
    EXPECT_EQ(h.state().curX, -1);
}

TEST(PaintingInTheWindow, AClockTickPresentsOnlyTheStatusStrip) {
    FrameHarness h;
    h.skipSplash();
    h.tap(2, 2);
    QApplication::processEvents();
    EXPECT_EQ(h.frame->lastPresented(), QRegion(h.area()->rect()));

    // Real window-timer ticks at 100 ms.
    h.advance(1000);
    QTest::qWait(250);
    EXPECT_EQ(h.frame->lastPresented(), QRegion(widgetRect(h.frame->placement(), statusStripRect)));
}

TEST(PaintingInTheWindow, TheScreenFollowsTheBufferThroughStrokesAndTicks) {
    FrameHarness h;
    h.frame->resize(800, 900); // a factor of 3
    QTest::qWait(20);
    ASSERT_EQ(h.frame->placement().factor, 3);
    h.skipSplash();
    h.press(0, 0);
    for (int x = 1; x < 5; ++x) h.moveTo(x, 0);
    h.moveTo(4, 1);
    ASSERT_GT(h.state().tapCount, 0);
    h.advance(400);
    QTest::qWait(150); // a clock tick or two
    QImage screen = onScreen(h);
    EXPECT_EQ(screen, bufferAsShown(h));
    h.release(4, 1);
    screen = onScreen(h);
    EXPECT_EQ(screen, bufferAsShown(h));
}

TEST(PaintingInTheWindow, ACommandThatEndsTheSplashShowsTheGame) {
    for (int commandId : {commandHint, commandShowSolution, commandAbout}) {
        SCOPED_TRACE(commandId);
        FrameHarness h;
        QTest::qWait(150); // a few splash frames
        ASSERT_NE(h.state().splashTick, 0u);
        h.command(commandId);
        EXPECT_EQ(h.state().splashTick, 0u);
        // A corner of the board's first tile, where the splash showed its star field.
        const QImage screen = onScreen(h);
        EXPECT_EQ(screen, bufferAsShown(h));
        const int left = h.state().boardLeft + 2, top = h.state().boardTop + 2;
        const QRgb tile =
            screen.pixel(widgetRect(h.frame->placement(), {left, top, left + 1, top + 1}).center());
        EXPECT_GT(qRed(tile) + qGreen(tile) + qBlue(tile), 200);
    }
}

// The screen seen at buffer resolution: the window pixel at the centre of each buffer pixel.
QImage shownAtBufferScale(FrameHarness& h) {
    const QImage screen = onScreen(h);
    QImage shown(screenWidth, bufferHeight, QImage::Format_RGB32);
    for (int y = 0; y < bufferHeight; ++y) {
        for (int x = 0; x < screenWidth; ++x) {
            shown.setPixel(
                x, y,
                screen.pixel(widgetRect(h.frame->placement(), {x, y, x + 1, y + 1}).center()));
        }
    }
    return shown;
}

// The pixels where two images differ, as a region to tell where they are.
QRegion differingPixels(const QImage& a, const QImage& b) {
    QRegion differ;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) differ += QRect(x, y, 1, 1);
        }
    }
    return differ;
}

int pixelsOf(const QImage& image, const Rect& area, Colour colour) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) count += image.pixel(x, y) == toQRgb(colour);
    }
    return count;
}

// With Unique puzzles on, the worker's puzzle may arrive while the splash plays: it must not
// present the whole buffer, which holds the star field alone, over the splash's lines.
TEST(PaintingInTheWindow, APuzzleArrivingDuringTheSplashLeavesItsLinesOnTheScreen) {
    Settings stored;
    stored.unique = 1;
    FrameHarness h(stored);
    QTest::qWait(150); // the opening frame
    ASSERT_NE(h.state().splashTick, 0u);
    const Rect credit{25, 30, 225, 48};
    ASSERT_GT(pixelsOf(shownAtBufferScale(h), credit, purple), 100);
    // The puzzle is prepared again, so that it surely arrives after the opening frame.
    cancelPreparation(h.world().preparation);
    h.world().keptNumber = PuzzleNumber{};
    prepareUniqueGame(h.world(), h.world().puzzle);
    ASSERT_TRUE(QTest::qWaitFor([&h] { return !preparingPuzzle(h.world()); }, 10000));
    QTest::qWait(100);
    ASSERT_NE(h.state().splashTick, 0u);
    const QImage shown = shownAtBufferScale(h);
    EXPECT_GT(pixelsOf(shown, credit, purple), 100);
    EXPECT_GT(pixelsOf(shown, webAddressRect, yellow), 50);
}

TEST(PaintingInTheWindow, WhatTheSplashShowedStaysThroughResizesAndExposes) {
    FrameHarness h;
    QTest::qWait(150); // the opening frame, then animation frames
    h.advance(42 * 60);
    QTest::qWait(150); // step 42: the name picture becomes due
    h.advance(60);
    QTest::qWait(150); // and is drawn
    ASSERT_NE(h.state().splashTick, 0u);
    const Rect credit{25, 30, 225, 48};
    const Rect name{90, 200, 180, 213};
    const QImage before = shownAtBufferScale(h);
    ASSERT_GT(pixelsOf(before, credit, purple), 100);
    ASSERT_GT(pixelsOf(before, webAddressRect, yellow), 50);
    ASSERT_GT(pixelsOf(before, name, green), 50);

    // Only the star field changes from frame to frame; all the rest must stay as it was.
    const auto outsideStarField = [](QImage image) {
        for (int y = starFieldRect.top; y < starFieldRect.bottom; ++y) {
            for (int x = starFieldRect.left; x < starFieldRect.right; ++x) image.setPixel(x, y, 0);
        }
        return image;
    };
    const auto expectAsBefore = [&] {
        const QRect differ =
            differingPixels(outsideStarField(shownAtBufferScale(h)), outsideStarField(before))
                .boundingRect();
        EXPECT_TRUE(differ.isEmpty())
            << "changed within " << differ.width() << " x " << differ.height() << " at ("
            << differ.x() << ", " << differ.y() << ")";
    };
    const QSize sizes[] = {{900, 1000}, {500, 600}};
    for (const QSize& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        // A star-field frame the timer asked for is still waiting when the size changes.
        h.frame->invalidateGameArea(starFieldRect);
        h.frame->resize(size);
        QTest::qWait(100);
        expectAsBefore();
    }
    h.area()->repaint(); // uncovered by the window system, not asked for by the game
    expectAsBefore();

    // The back buffer holds only what the painters make: the frames since the opening one
    // cleared it and drew the star field alone.
    const QImage& buffer = h.frame->backBuffer().image;
    EXPECT_EQ(pixelsOf(buffer, credit, purple) + pixelsOf(buffer, webAddressRect, yellow) +
                  pixelsOf(buffer, name, green),
              0);
}

TEST(PaintingInTheWindow, ResizingRescalesCentredOnBlack) {
    FrameHarness h;
    h.skipSplash();
    h.frame->resize(1000, 900);
    QApplication::processEvents();
    const QSize area = h.area()->size();
    const GameAreaPlacement& placement = h.frame->placement();
    EXPECT_EQ(placement.factor, std::min(area.width() / 240, area.height() / 270));
    // Centred: the black margins on opposite sides differ by at most the odd pixel.
    const QRect& t = placement.target;
    EXPECT_LE(std::abs(t.left() - (area.width() - 1 - t.right())), 1);
    EXPECT_LE(std::abs(t.top() - (area.height() - 1 - t.bottom())), 1);
    EXPECT_GT(placement.factor, 1);

    const QImage shown = h.area()->grab().toImage();
    const QImage& buffer = h.frame->backBuffer().image;
    const int f = placement.factor;
    EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, 0u); // the surroundings are black
    // Every buffer pixel is a square of f x f window pixels (here, the board's first cell).
    const QPoint cell = h.cellCentre(0, 0);
    const int bx = (cell.x() - placement.target.left()) / f;
    const int by = (cell.y() - placement.target.top()) / f;
    for (int dy = 0; dy < f; ++dy) {
        for (int dx = 0; dx < f; ++dx) {
            EXPECT_EQ(shown.pixel(placement.target.left() + bx * f + dx,
                                  placement.target.top() + by * f + dy),
                      buffer.pixel(bx, by));
        }
    }
}

} // namespace
} // namespace kelvaro
