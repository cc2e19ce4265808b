#include "app/game_area_geometry.h"

#include <gtest/gtest.h>
#include <limits>

namespace kelvaro {
namespace {

TEST(PlaceGameArea, LargestWholeFactorCentred) {
    struct Case {
        QSize widget;
        int factor;
        QRect target;
    };
    const Case cases[] = {
        {{240, 270}, 1, {0, 0, 240, 270}},
        {{479, 539}, 1, {119, 134, 240, 270}}, // one pixel short of 2 either way
        {{480, 540}, 2, {0, 0, 480, 540}},
        {{1000, 540}, 2, {260, 0, 480, 540}},  // height decides
        {{720, 2000}, 3, {0, 595, 720, 810}},  // width decides
        {{100, 100}, 1, {-70, -85, 240, 270}}, // never below 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.widget.width() << " x " << c.widget.height());
        const GameAreaPlacement placement = placeGameArea(c.widget);
        EXPECT_EQ(placement.factor, c.factor);
        EXPECT_EQ(placement.target, c.target);
    }
}

TEST(BufferPixel, MapsBackAndPutsEverythingOutsideTheGameAreaOffIt) {
    const GameAreaPlacement placement = placeGameArea({1000, 540}); // factor 2 at (260, 0)
    constexpr double infinity = std::numeric_limits<double>::infinity();
    struct Case {
        QPointF widget;
        int x, y;
    };
    // Outside the area a coordinate is -1 before it and 240 or 270 after it: past the edge
    // of every board, however far the position is.
    const Case cases[] = {
        {{260, 0}, 0, 0},
        {{261.9, 1.9}, 0, 0}, // inside the first scaled pixel
        {{262, 2}, 1, 1},
        {{739, 539}, 239, 269},   // last pixel
        {{259.5, 10}, -1, 5},     // half a pixel left of the area: off it, not rounded onto it
        {{740, 10}, 240, 5},      // the black margin right of the area
        {{0, -50}, -1, -1},       // far outside, top left
        {{5000, 9000}, 240, 270}, // far outside, bottom right
        {{-1e9, 1e9}, -1, 270},
        {{1e300, -1e300}, 240, -1}, // beyond any int
        {{infinity, -infinity}, 240, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.widget.x() << ", " << c.widget.y());
        const Point p = bufferPixel(placement, c.widget);
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
    }
}

TEST(WidgetRect, CoversExactlyTheScaledPixels) {
    const GameAreaPlacement placement = placeGameArea({1000, 540});
    EXPECT_EQ(widgetRect(placement, statusStripRect), QRect(260, 0, 480, 60));
    EXPECT_EQ(widgetRect(placement, Rect{70, 100, 90, 120}), QRect(400, 200, 40, 40));
}

TEST(BufferRect, GrowsToWholePixelsAndCutsToTheArea) {
    const GameAreaPlacement placement = placeGameArea({1000, 540});
    struct Case {
        QRect widget;
        Rect buffer;
    };
    const Case cases[] = {
        {QRect(260, 0, 480, 60), statusStripRect},
        {QRect(263, 3, 1, 1), {1, 1, 2, 2}},        // inside one scaled pixel
        {QRect(263, 3, 2, 2), {1, 1, 3, 3}},        // across two
        {QRect(0, 0, 1000, 540), {0, 0, 240, 270}}, // the black sides are cut off
        {QRect(0, 0, 100, 100), {0, 0, 0, 0}},      // only black side
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.widget.x() << ", " << c.widget.y());
        const Rect r = bufferRect(placement, c.widget);
        EXPECT_EQ(r.left, c.buffer.left);
        EXPECT_EQ(r.top, c.buffer.top);
        EXPECT_EQ(r.right, c.buffer.right);
        EXPECT_EQ(r.bottom, c.buffer.bottom);
    }
}

TEST(ComfortableFactor, LargestThatFitsEightyFivePercentOfTheScreen) {
    struct Case {
        QSize available;
        int chrome, factor;
    };
    const Case cases[] = {
        {{1280, 1024}, 51, 3},  // 51 + 810 rows of 870.4
        {{1000, 1000}, 40, 3},  // 40 + 810 rows: exactly 85% fits
        {{1000, 1000}, 41, 2},  // one row more does not
        {{1200, 5000}, 40, 4},  // width decides: 960 of 1020 columns, 1200 would not fit
        {{1920, 1080}, 60, 3},  // 870 rows of 918
        {{2560, 1600}, 102, 4}, // a 2x display of 1280 x 800: 1182 rows of 1360
        {{3840, 2160}, 60, 6},  {{320, 240}, 60, 1}, // never below 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.available.width() << " x " << c.available.height()
                                        << ", chrome " << c.chrome);
        EXPECT_EQ(comfortableFactor(c.available, c.chrome), c.factor);
    }
}

TEST(PlaceGameArea, WholeDevicePixelsPerBufferPixelAtAnyDensity) {
    struct Case {
        QSize widget;
        qreal ratio;
        int factor;
        QRect target; // device pixels
    };
    const Case cases[] = {
        {{360, 405}, 2, 3, {0, 0, 720, 810}}, // 1.5 widget pixels per buffer pixel
        {{480, 540}, 2, 4, {0, 0, 960, 1080}},
        {{400, 405}, 2, 3, {40, 0, 720, 810}},     // centred in device pixels
        {{320, 360}, 1.5, 2, {0, 0, 480, 540}},    // a fractional density
        {{321, 361}, 1.25, 1, {80, 90, 240, 270}}, // 401 x 451 device pixels
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.widget.width() << " x " << c.widget.height() << " at " << c.ratio);
        const GameAreaPlacement placement = placeGameArea(c.widget, c.ratio);
        EXPECT_EQ(placement.factor, c.factor);
        EXPECT_EQ(placement.target, c.target);
    }
}

TEST(Placement, AtTwiceTheDensityMapsWidgetPositionsThroughDevicePixels) {
    const GameAreaPlacement placement = placeGameArea({400, 405}, 2); // 3 device px at (40, 0)
    const Point first = bufferPixel(placement, {20, 0});              // device (40, 0)
    EXPECT_EQ(first.x, 0);
    EXPECT_EQ(first.y, 0);
    const Point second = bufferPixel(placement, {21.5, 1.5}); // device (43, 3)
    EXPECT_EQ(second.x, 1);
    EXPECT_EQ(second.y, 1);
    EXPECT_EQ(bufferPixel(placement, {19.9, 0}).x, -1); // the margin
    EXPECT_EQ(bufferPixel(placement, {380, 404.9}).x, 240);
    EXPECT_EQ(bufferPixel(placement, {379.9, 404.9}).y, 269);

    // Buffer pixel 1 is device pixels 43..45, widget pixels 21.5..23: grown to 21..23.
    EXPECT_EQ(deviceRect(placement, {1, 1, 2, 2}), QRect(43, 3, 3, 3));
    EXPECT_EQ(widgetRect(placement, {1, 1, 2, 2}), QRect(21, 1, 2, 2));
    EXPECT_EQ(toDevice(placement, QRect(21, 1, 2, 2)), QRect(42, 2, 4, 4));
    const Rect back = bufferRect(placement, QRect(42, 2, 4, 4));
    EXPECT_EQ(back.left, 0);
    EXPECT_EQ(back.right, 2);
}

} // namespace
} // namespace kelvaro
