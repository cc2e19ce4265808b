// The first window of the real program: its size comes from the screen, and on a display of
// twice the density every picture keeps sharp, square pixels.
#include "x_session.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kelvaro::e2e {
namespace {

constexpr int toolbarStripPicture = 128;
constexpr int toolbarImages = 6;
constexpr int toolbarImagePixels = 17;

// Skips the test when the X tools are missing; otherwise a virtual server of this size.
std::unique_ptr<XSession> startSession(QSize screen) {
    if (!missingTool({QStringLiteral("Xvfb"), QStringLiteral("xdotool")}).isEmpty()) return {};
    return std::make_unique<XSession>(screen);
}

// Whether image shows somewhere inside area of shot, pixel for pixel.
bool showsImage(const QImage& shot, const QRect& area, const QImage& image) {
    for (int top = area.top(); top + image.height() <= area.bottom() + 1; ++top) {
        for (int left = area.left(); left + image.width() <= area.right() + 1; ++left) {
            bool same = true;
            for (int y = 0; same && y < image.height(); ++y) {
                for (int x = 0; same && x < image.width(); ++x)
                    same = shot.pixel(left + x, top + y) == image.pixel(x, y);
            }
            if (same) return true;
        }
    }
    return false;
}

TEST(FirstWindow, TakesTheLargestWholeFactorThatFitsTheScreen) {
    const auto session = startSession({1280, 1024});
    if (!session) GTEST_SKIP() << "Xvfb or xdotool is not installed";
    ASSERT_TRUE(session->running());
    QTemporaryDir config;
    Game game(*session, config.path());
    ASSERT_TRUE(game.started()) << game.whyNotStarted().toStdString();
    // 85% of 1024 rows holds the menu, the toolbar and 3 x 270 rows, not 4 x 270.
    EXPECT_EQ(game.area.factor, 3);
    EXPECT_EQ(game.area.window.width(), 3 * 240);
    EXPECT_LE(game.area.window.height() * 100, 85 * 1024);
    EXPECT_EQ(game.area.top + 3 * 270, game.area.window.height());
}

TEST(FirstWindow, AtTwiceTheDensityEveryPixelIsASharpSquare) {
    const auto session = startSession({2560, 1600});
    if (!session) GTEST_SKIP() << "Xvfb or xdotool is not installed";
    ASSERT_TRUE(session->running());
    QTemporaryDir config;
    QProcessEnvironment twice;
    twice.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    Game game(*session, config.path(), {}, 30000, twice);
    ASSERT_TRUE(game.started()) << game.whyNotStarted().toStdString();
    const int f = game.area.factor;
    EXPECT_GE(f, 4) << "device pixels per buffer pixel";
    ASSERT_EQ(game.area.window.width(), 240 * f);

    game.key(QStringLiteral("ctrl+n")); // the splash ends: a board to look at
    pause(300);
    const QImage shot = game.grab();
    ASSERT_EQ(shot.size(), game.area.window.size());
    // Every buffer pixel is an f x f square of one colour: nothing blurred, nothing uneven.
    int blurred = 0;
    for (int y = 0; y < 270; ++y) {
        for (int x = 0; x < 240; ++x) {
            const QRgb colour = shot.pixel(x * f, game.area.top + y * f);
            for (int d = 1; d < f * f; ++d)
                blurred += shot.pixel(x * f + d % f, game.area.top + y * f + d / f) != colour;
        }
    }
    EXPECT_EQ(blurred, 0) << "device pixels unlike the rest of their buffer pixel";

    // The toolbar images at twice their size, each pixel a 2 x 2 square.
    const QImage strip = bundledPicture(toolbarStripPicture);
    ASSERT_FALSE(strip.isNull());
    const QRect chrome(0, 0, shot.width(), game.area.top);
    for (int i = 0; i < toolbarImages; ++i) {
        SCOPED_TRACE(i);
        const QImage image =
            strip.copy(i * toolbarImagePixels, 0, toolbarImagePixels, toolbarImagePixels);
        EXPECT_TRUE(showsImage(shot, chrome,
                               image.scaled(2 * toolbarImagePixels, 2 * toolbarImagePixels,
                                            Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    }
}

} // namespace
} // namespace kelvaro::e2e
