#include "render/splash_geometry.h"
#include "scripted_source.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace kelvaro {
namespace {

SplashScene preparedScene() {
    SplashScene scene;
    makeRingPoints(scene);
    return scene;
}

Point projectedOuter(const SplashScene& scene, int index, int e) {
    return projectRingPoint(scaleRingPoint(scene.ringPoints[index], e), scene.depthScale);
}

TEST(SplashGeometry, DepthScalePutsDepthZeroOnTheRingCentre) {
    EXPECT_DOUBLE_EQ(splashDepthScale(), 20000.0 / 1650.0);
    const Point p = projectRingPoint({0, 0}, splashDepthScale());
    EXPECT_EQ(p.x, ringCentre.x);
    EXPECT_EQ(p.y, ringCentre.y);
}

struct ProjectionCase {
    int index;
    int e;
    Point scaled;
    Point screen;
};

TEST(SplashGeometry, RingPointsLandOnTheirCheckPositions) {
    const ProjectionCase cases[] = {
        {22, 100, {69957, -349}, {102, 109}},
        {45, 100, {6, 9999}, {85, 116}},
        {67, 100, {-69957, 350}, {62, 120}},
        {45, 200, {12, 19999}, {68, 177}},
        // At the viewer's depth the point is thrown far below the screen.
        {45, 245, {15, 24499}, {-5065, 19323}},
    };
    const SplashScene scene = preparedScene();
    for (const ProjectionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "point " << c.index << " at e = " << c.e);
        const Point scaled = scaleRingPoint(scene.ringPoints[c.index], c.e);
        EXPECT_EQ(scaled.x, c.scaled.x);
        EXPECT_EQ(scaled.y, c.scaled.y);
        const Point screen = projectedOuter(scene, c.index, c.e);
        EXPECT_EQ(screen.x, c.screen.x);
        EXPECT_EQ(screen.y, c.screen.y);
    }
}

TEST(SplashGeometry, PenColourDarkensAfterOneHundredFifty) {
    const struct {
        int e;
        std::uint32_t colour; // 0x00BBGGRR
    } cases[] = {
        {15, 0xBE1E96}, // (150, 30, 190) from the start
        {150, 0xBE1E96},
        {200, 0x5F0F4B}, // (75, 15, 95)
        {245, 0x410A33}, // (51, 10, 65)
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.e);
        EXPECT_EQ(splashPenColour(c.e), c.colour);
    }
}

// Marks each point with its index and side so the polygon's order can be read back.
std::array<Point, ringPointCount> labelled(int side) {
    std::array<Point, ringPointCount> points{};
    for (int i = 0; i < ringPointCount; ++i) points[i] = {side, i};
    return points;
}

TEST(SplashGeometry, BandKeepsItsNearArcAsItGrows) {
    const struct {
        int e;
        int cut;
        int points;
    } cases[] = {{170, 0, 178}, {185, 0, 178}, {200, 0, 178}, {205, 17, 110}, {245, 37, 30}};
    const auto outer = labelled(0);
    const auto inner = labelled(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.e);
        EXPECT_EQ(bandCut(c.e), c.cut);
        std::array<Point, maxBandPoints> band{};
        ASSERT_EQ(bandPolygon(outer, inner, c.e, band), c.points);
        const int half = c.points / 2;
        for (int k = 0; k < half; ++k) {
            EXPECT_EQ(band[k].x, 0);
            EXPECT_EQ(band[k].y, c.cut + k); // outer points cut .. 88 - cut
            EXPECT_EQ(band[half + k].x, 1);
            EXPECT_EQ(band[half + k].y, 89 - c.cut - k); // inner points 89 - cut .. cut + 1
        }
    }
}

// The same closed polygon, whichever vertex it starts from.
bool samePolygon(const std::vector<Point>& got, const std::vector<Point>& want) {
    if (got.size() != want.size()) return false;
    if (got.empty()) return true;
    for (std::size_t start = 0; start < got.size(); ++start) {
        bool same = true;
        for (std::size_t i = 0; i < got.size() && same; ++i) {
            const Point& g = got[(start + i) % got.size()];
            same = g.x == want[i].x && g.y == want[i].y;
        }
        if (same) return true;
    }
    return false;
}

TEST(SplashGeometry, ClippingKeepsThePartInsideTheWindow) {
    const std::vector<Point> triangle{{0, 0}, {10, 0}, {0, 10}};
    const struct {
        const char* what;
        ClipBounds bounds;
        std::vector<Point> clipped;
    } cases[] = {
        {"inside", {-1, -1, 240, 270}, triangle},
        {"cut on the right", {-1, -1, 4, 270}, {{0, 0}, {4, 0}, {4, 6}, {0, 10}}},
        {"cut at the bottom", {-1, -1, 240, 5}, {{0, 0}, {10, 0}, {5, 5}, {0, 5}}},
        {"outside", {20, 20, 240, 270}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(samePolygon(clipPolygon(triangle, c.bounds), c.clipped));
    }
}

TEST(SplashGeometry, StarsTakeThreeDrawsEachInsideTheField) {
    std::vector<std::int32_t> script;
    for (int i = 0; i < starCount; ++i) {
        script.push_back(i == 0 ? 479 : 1000 + i); // x
        script.push_back(i == 0 ? 199 : 7 * i);    // y
        script.push_back(i == 0 ? 0x1FF : i);      // brightness
    }
    RepeatingSource random(script);
    SplashScene scene;
    makeStarField(scene, random);
    EXPECT_EQ(random.drawn(), script.size());
    EXPECT_EQ(scene.starField[0].x, 239);
    EXPECT_EQ(scene.starField[0].y, 179);
    EXPECT_EQ(scene.starField[0].brightness, 255);
    EXPECT_EQ(scene.starField[99].x, (1000 + 99) % 240);
    EXPECT_EQ(scene.starField[99].y, 80 + (7 * 99) % 100);
    EXPECT_EQ(scene.starField[99].brightness, 99);
}

TEST(SplashGeometry, StarPixelsScaleTheBrightness) {
    // The centre pixel of the brightest star: (255 x 76) >> 7 and so on.
    EXPECT_EQ(starPixelColour(starPixels[2], 255), 0xA79397u); // (151, 147, 167)
    EXPECT_EQ(starPixelColour(starPixels[3], 1), 0u);
}

TEST(SplashGeometry, FlareFlashesShrinksThenTwinkles) {
    RepeatingSource none({0});
    const struct {
        std::uint32_t step;
        int halfSize;
    } fixed[] = {{0, 0}, {2, 0}, {3, 30}, {4, 60}, {5, 60}, {10, 35}, {14, 15}};
    for (const auto& c : fixed) {
        SCOPED_TRACE(c.step);
        EXPECT_EQ(flareHalfSize(c.step, none), c.halfSize);
    }
    EXPECT_EQ(none.drawn(), 0u); // the flash and the shrinking need no chance
    RepeatingSource twinkle({0, 7, 0x7FFFFFF8});
    EXPECT_EQ(flareHalfSize(15, twinkle), 8);
    EXPECT_EQ(flareHalfSize(60, twinkle), 15);
    EXPECT_EQ(flareHalfSize(83, twinkle), 8);
}

} // namespace
} // namespace kelvaro
