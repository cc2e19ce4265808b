// Playing in the real window with the keyboard alone, and the cursor it draws over the picture.
#include "app/commands.h"
#include "app/cursor_overlay.h"
#include "frame_harness.h"
#include "render/colour.h"

#include <QAction>
#include <QKeyEvent>
#include <QToolBar>
#include <gtest/gtest.h>

namespace kelvaro {
namespace {

void key(Qt::Key k) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, k);
}

int pixelsOf(const QImage& image, QRgb colour, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) count += image.pixel(x, y) == colour;
    return count;
}

TEST(KeyboardInTheWindow, TheExampleSolvedWithTheKeyboardAloneIsPerfect) {
    FrameHarness h;
    h.skipSplash();
    QTest::keyClick(h.frame.get(), Qt::Key_F1);
    ASSERT_EQ(h.state().exampleMode, 1);
    EXPECT_EQ(QApplication::focusWidget(), h.area());

    // Symbol 1 runs from (1,0) down the empty left column to (1,4).
    key(Qt::Key_Right); // shows the cursor on (0, 0)
    key(Qt::Key_Right);
    key(Qt::Key_Space);
    key(Qt::Key_Left);
    for (int y = 1; y < 5; ++y) key(Qt::Key_Down);
    key(Qt::Key_Right);
    key(Qt::Key_Space);

    EXPECT_EQ(h.state().gamePhase, phaseFinished);
    EXPECT_EQ(h.state().solveState, 0);
    EXPECT_TRUE(h.boxes.empty());
    h.area()->repaint();
    // "Perfect!": green letters on black at (90, 13), 65 x 13.
    EXPECT_GT(pixelsOf(h.frame->backBuffer().image, toQRgb(0x00FF00), QRect(90, 13, 65, 13)), 20);
}

TEST(KeyboardInTheWindow, TheCursorIsDrawnOverThePictureAndLeavesNoTrace) {
    FrameHarness h;
    h.frame->resize(600, 700); // a factor of 2
    QTest::qWait(20);
    ASSERT_EQ(h.frame->placement().factor, 2);
    h.skipSplash();
    QApplication::processEvents();
    EXPECT_TRUE(h.frame->cursorFrame().isEmpty());

    key(Qt::Key_Right);
    const QRect cell = h.frame->cursorFrame();
    ASSERT_FALSE(cell.isEmpty());
    EXPECT_EQ(cell.center(), h.cellCentre(0, 0));
    const QImage screen = onScreen(h);
    const QImage buffer = bufferAsShown(h);
    // The frame is four window pixels (two buffer pixels) wide, inside the cell.
    const QRgb orange = cursorFrameColour;
    EXPECT_EQ(pixelsOf(screen, orange, cell), cell.width() * cell.height() - 32 * 32);
    EXPECT_EQ(screen.copy(cell.adjusted(4, 4, -4, -4)), buffer.copy(cell.adjusted(4, 4, -4, -4)));
    EXPECT_EQ(pixelsOf(h.frame->backBuffer().image, orange, QRect(0, 0, 240, 270)), 0);
    // Everywhere else the window shows the buffer.
    QImage outside = screen;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            outside.setPixel(x, y, buffer.pixel(x, y));
    EXPECT_EQ(outside, buffer);

    key(Qt::Key_Right);
    key(Qt::Key_Down);
    EXPECT_EQ(h.frame->cursorFrame().center(), h.cellCentre(1, 1));
    QImage moved = onScreen(h);
    EXPECT_EQ(moved.copy(cell), buffer.copy(cell)); // no ghost where it was

    key(Qt::Key_Space); // a board event: the clock starts
    key(Qt::Key_Space);
    h.command(commandPause);
    EXPECT_TRUE(h.frame->cursorFrame().isEmpty());
    const QImage paused = onScreen(h);
    EXPECT_EQ(paused, bufferAsShown(h));
    key(Qt::Key_Space); // resumes, the cursor comes back
    EXPECT_EQ(h.state().gamePhase, phasePlaying);
    EXPECT_FALSE(h.frame->cursorFrame().isEmpty());

    key(Qt::Key_Right);
    key(Qt::Key_Down); // to (2, 2), which the press below leaves as it is in the buffer
    const QImage before = onScreen(h);
    EXPECT_GT(pixelsOf(before, orange, h.frame->cursorFrame()), 0);
    h.press(3, 3); // hidden from a mouse press on
    h.release(3, 3);
    EXPECT_TRUE(h.frame->cursorFrame().isEmpty());
    const QImage pressed = onScreen(h); // first: it lets the paint happen
    EXPECT_EQ(pressed, bufferAsShown(h));
    key(Qt::Key_Up);
    EXPECT_EQ(h.frame->cursorFrame().center(), h.cellCentre(3, 3));
}

TEST(KeyboardInTheWindow, ThePenIsLiftedBeforeABoxOrWhenTheWindowLosesTheKeyboard) {
    FrameHarness h;
    h.skipSplash();
    key(Qt::Key_Right);
    key(Qt::Key_Space);
    ASSERT_TRUE(h.world().pen.down);
    QTest::keyClick(h.frame.get(), Qt::Key_H); // the hint's message box
    ASSERT_EQ(h.boxes.size(), 1u);
    EXPECT_FALSE(h.world().pen.down);
    EXPECT_EQ(h.state().stylusLifted, 1);

    h.area()->setFocus();
    key(Qt::Key_Down);
    key(Qt::Key_Space);
    ASSERT_TRUE(h.world().pen.down);
    h.area()->clearFocus();
    EXPECT_FALSE(h.world().pen.down);
}

TEST(KeyboardInTheWindow, AHeldSpaceIsOnePressAndNoToolbarButtonTakesTheKeyboard) {
    FrameHarness h;
    h.skipSplash();
    key(Qt::Key_Right);
    key(Qt::Key_Space);
    ASSERT_TRUE(h.world().pen.down);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(h.area(), &repeat);
    EXPECT_TRUE(h.world().pen.down);

    for (QAction* action : h.frame->commandBar()->actions()) {
        if (action->isSeparator()) continue;
        EXPECT_EQ(h.frame->commandBar()->widgetForAction(action)->focusPolicy(), Qt::NoFocus);
    }
}

} // namespace
} // namespace kelvaro
