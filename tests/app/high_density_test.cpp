// The main window on a display of twice the density (a scale factor of 2): whole device
// pixels per buffer pixel, so every buffer pixel stays a sharp square, and the mouse mapped
// back through the same device pixels.
#include "frame_harness.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

// The whole test program runs at twice the density. Qt reads the variable when the
// application object is made, which is after every static initialiser.
[[maybe_unused]] const bool twiceTheDensity = qputenv("QT_SCALE_FACTOR", "2");

// The game area's device pixels, as a paint of the whole window makes them once the game's
// own requests are painted.
QImage devicePixels(FrameHarness& h) {
    QApplication::processEvents();
    QImage shot = h.area()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.setDevicePixelRatio(1);
    return shot;
}

TEST(TwiceTheDensity, OneAndAHalfWidgetPixelsPerBufferPixelShowAsThreeDevicePixels) {
    FrameHarness h;
    ASSERT_EQ(h.area()->devicePixelRatio(), 2.0);
    const int chrome = h.frame->height() - h.area()->height();
    h.frame->resize(360, 405 + chrome);
    QTest::qWait(20);
    ASSERT_EQ(h.area()->size(), QSize(360, 405));
    EXPECT_EQ(h.frame->placement().factor, 3);
    h.skipSplash();

    const QImage shot = devicePixels(h);
    ASSERT_EQ(shot.size(), QSize(720, 810));
    const QImage& buffer = h.frame->backBuffer().image;
    int wrong = 0;
    for (int y = 0; y < bufferHeight; ++y) {
        for (int x = 0; x < screenWidth; ++x) {
            for (int d = 0; d < 9; ++d)
                wrong += shot.pixel(3 * x + d % 3, 3 * y + d / 3) != buffer.pixel(x, y);
        }
    }
    EXPECT_EQ(wrong, 0) << "device pixels that do not show their buffer pixel";
}

TEST(TwiceTheDensity, TheMouseReachesTheCellUnderIt) {
    FrameHarness h;
    const int chrome = h.frame->height() - h.area()->height();
    h.frame->resize(400, 405 + chrome); // 3 device pixels per buffer pixel, a margin each side
    QTest::qWait(20);
    h.skipSplash();
    h.press(1, 1);
    h.moveTo(2, 1);
    EXPECT_EQ(h.state().curX, 2);
    EXPECT_EQ(h.state().curY, 1);
    EXPECT_EQ(h.state().prevX, 1);
    h.moveTo(4, 4);
    EXPECT_EQ(h.state().curX, 4);
    EXPECT_EQ(h.state().curY, 4);
    h.release(4, 4);
}

} // namespace
} // namespace kelvaro
