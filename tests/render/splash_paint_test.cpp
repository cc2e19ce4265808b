#include "gui_application.h"
#include "pixel_map.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/splash_geometry.h"
#include "render/splash_paint.h"
#include "render/text.h"
#include "scripted_source.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace kelvaro {
namespace {

struct FakeClock final : TickSource {
    std::uint32_t now = 0;
    std::uint32_t tickCount() override { return now; }
};

QImage solidPicture(int width, int height, Colour colour) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(toQRgb(colour));
    return picture;
}

constexpr Colour flareColour = 0x0000FF;   // pure red, so the OR shows where it landed
constexpr Colour textureColour = 0x40FF40; // no pen colour has this green

class SplashPaintTest : public ::testing::Test {
  protected:
    std::map<int, QImage> pictures{
        // One-bit pictures drawn entirely black: every pixel of them takes the ink.
        {creditPictureId, solidPicture(194, 18, black)},
        {namePictureId, solidPicture(75, 13, black)},
        {flarePictureId, solidPicture(70, 70, flareColour)},
        {ringTextureId, solidPicture(8, 8, textureColour)},
    };
    BackBuffer buffer;
    GameState state;
    SplashScene scene;
    FakeClock clock;
    // Every star at (10, 100) with brightness 200, unless a test scripts otherwise.
    RepeatingSource random{{10, 20, 200}};

    void SetUp() override {
        ensureGuiApplication();
        buffer.loadPicture = [this](int id) {
            const auto found = pictures.find(id);
            return found == pictures.end() ? QImage() : found->second;
        };
        createBackBuffer(buffer, screenWidth, bufferHeight);
        clock.now = 700000;
        state.splashTick = clock.now;
        state.splashFrame = 0;
    }

    // One paint at this many milliseconds into the splash; the buffer is cleared first, as
    // the paint handler does.
    Rect paintAt(std::uint32_t ms, Colour clearWith = black) {
        if (hasBackBuffer(buffer)) fillRect(buffer.image, wholeBuffer(buffer), clearWith);
        clock.now = state.splashTick + ms;
        return paintSplash(buffer, state, scene, random, clock);
    }

    // The first paint (before the buffer mattered) and the opening frame.
    void open() {
        paintAt(0);
        paintAt(0);
    }

    Colour at(int x, int y) const { return pixelAt(buffer.image, x, y); }

    int countIn(const Rect& area, Colour colour) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += at(x, y) == colour;
        return count;
    }
};

bool isWhole(const Rect& r) {
    return r.left == 0 && r.top == 0 && r.right == screenWidth && r.bottom == bufferHeight;
}

TEST_F(SplashPaintTest, FirstPaintIsOnlyCountedAndTheSecondOpens) {
    const Rect first = paintAt(0, white);
    EXPECT_EQ(first.width() * first.height(), 0);
    EXPECT_EQ(state.splashFrame, 1);
    EXPECT_EQ(at(0, 0), white);
    EXPECT_EQ(random.drawn(), 0u);

    EXPECT_TRUE(isWhole(paintAt(30, white)));
    EXPECT_EQ(state.splashFrame, 2);
    // Credit line: the 194-wide picture in purple, the rest of its 200-wide block black.
    EXPECT_EQ(countIn({25, 30, 219, 48}, purple), 194 * 18);
    EXPECT_EQ(at(219, 30), black);
    EXPECT_EQ(at(224, 47), black);
    EXPECT_EQ(at(24, 30), black);
    // The web-address line, in yellow and nowhere else.
    EXPECT_GT(countIn(webAddressRect, yellow), 20);
    EXPECT_EQ(countIn({0, 0, screenWidth, webAddressRect.top}, yellow), 0);
    // Stars and ring are made now but not yet drawn.
    EXPECT_EQ(random.drawn(), 3u * starCount);
    EXPECT_TRUE(scene.prepared);
    EXPECT_EQ(countIn(starFieldRect, black), starFieldRect.width() * starFieldRect.height());
}

TEST_F(SplashPaintTest, WebAddressLineShowsTheHomePageWholeWithinItsLine) {
    EXPECT_NE(webAddressText.find("kelvaro.example.org"), std::string_view::npos);
    const QString text = QString::fromUtf8(webAddressText.data(), webAddressText.size());
    EXPECT_LE(textWidth(text), webAddressRect.width());
    paintAt(0, white);
    paintAt(30, white);
    // Centred and not cut: yellow on both sides of the middle, and a black column at each
    // end of the line.
    int left = screenWidth;
    int right = -1;
    for (int y = webAddressRect.top; y < webAddressRect.bottom; ++y)
        for (int x = 0; x < screenWidth; ++x)
            if (at(x, y) == yellow) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GT(left, 0);
    EXPECT_LT(right, screenWidth - 1);
    EXPECT_LE(std::abs((left + right) - (screenWidth - 1)), 2);
}

TEST_F(SplashPaintTest, LaterFramesRedrawOnlyTheStarField) {
    open();
    EXPECT_TRUE(isWhole(paintAt(60, white))); // step 1: stars only
    const Palette palette{{'.', black},
                          {'L', starPixelColour(starPixels[0], 200)},
                          {'T', starPixelColour(starPixels[1], 200)},
                          {'C', starPixelColour(starPixels[2], 200)},
                          {'B', starPixelColour(starPixels[3], 200)},
                          {'R', starPixelColour(starPixels[4], 200)}};
    const QImage around = buffer.image.copy(8, 98, 5, 5);
    EXPECT_EQ(mapFromImage(around, palette),
              (std::vector<std::string>{".....", "..T..", ".LCR.", "..B..", "....."}));
    EXPECT_EQ(countIn(starFieldRect, black), starFieldRect.width() * starFieldRect.height() - 5);
    const int outside = screenWidth * bufferHeight - starFieldRect.width() * starFieldRect.height();
    EXPECT_EQ(countIn(wholeBuffer(buffer), white), outside);
    EXPECT_EQ(random.drawn(), 3u * starCount); // the stars stay where they were
}

TEST_F(SplashPaintTest, TheRingGrowsFromOutlineToBandAndLeaves) {
    const struct {
        std::uint32_t step;
        bool texture;
        bool outline;
        bool band;
    } cases[] = {
        {2, true, false, false}, {3, true, true, false},   {20, true, true, false},
        {33, true, true, false}, {34, true, true, true},   {41, true, true, true},
        {47, true, true, true},  {50, true, false, false}, {34, false, true, false},
    };
    pictures.erase(flarePictureId);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "step " << c.step << (c.texture ? "" : ", no texture"));
        if (!c.texture) pictures.erase(ringTextureId);
        state.splashFrame = 0;
        scene = SplashScene{};
        random = RepeatingSource({0, 0, 0}); // dark stars in the corner
        open();
        paintAt(c.step * 60);
        const int e = 5 * static_cast<int>(c.step);
        EXPECT_EQ(countIn(starFieldRect, splashPenColour(e)) > 0, c.outline);
        EXPECT_EQ(countIn(wholeBuffer(buffer), textureColour) > 0, c.band);
    }
}

TEST_F(SplashPaintTest, TheRingOutlinePassesThroughItsProjectedPoints) {
    pictures.erase(flarePictureId);
    open();
    paintAt(20 * 60); // e = 100
    const Colour pen = splashPenColour(100);
    EXPECT_EQ(at(102, 109), pen); // point 22
    EXPECT_EQ(at(85, 116), pen);  // point 45
    EXPECT_EQ(at(62, 120), pen);  // point 67
}

TEST_F(SplashPaintTest, TheFlareFlashesShrinksAndTwinklesAroundTheRingCentre) {
    const struct {
        std::uint32_t step;
        std::int32_t twinkleDraw;
        int half;
    } cases[] = {{2, 0, 0}, {3, 0, 30}, {4, 0, 60}, {14, 0, 15}, {60, 7, 15}, {60, 8, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "step " << c.step);
        state.splashFrame = 0;
        scene = SplashScene{};
        std::vector<std::int32_t> script(3 * starCount, 0);
        script.push_back(c.twinkleDraw);
        random = RepeatingSource(script);
        open();
        paintAt(c.step * 60);
        const auto lit = [&](int x, int y) { return (at(x, y) & 0xFF) == 0xFF; };
        if (c.half == 0) {
            EXPECT_FALSE(lit(85, 114));
            continue;
        }
        const int left = 85 - c.half, top = 114 - c.half;
        const int right = left + 2 * c.half - 1, bottom = top + 2 * c.half - 1;
        EXPECT_TRUE(lit(left, top));
        EXPECT_TRUE(lit(right, bottom));
        EXPECT_FALSE(lit(left - 1, 114));
        EXPECT_FALSE(lit(right + 1, 114));
        EXPECT_FALSE(lit(85, top - 1));
        EXPECT_FALSE(lit(85, bottom + 1));
    }
}

TEST_F(SplashPaintTest, TheNamePictureNeedsAFrameOnStep42) {
    const struct {
        const char* what;
        std::vector<std::uint32_t> steps;
        std::vector<bool> drawn;
    } cases[] = {
        {"frame on step 42", {41, 42, 43, 44}, {false, false, true, false}},
        {"two frames on step 42", {42, 42, 45}, {false, false, true}},
        {"step 42 skipped", {41, 43, 44}, {false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state.splashFrame = 0;
        scene = SplashScene{};
        open();
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            paintAt(c.steps[i] * 60 + 30);
            EXPECT_EQ(scene.namePictureDue != 0, c.steps[i] == 42);
            // The 75-wide picture in green; the rest of its 90-wide block stays black.
            EXPECT_EQ(countIn({90, 200, 165, 213}, green), c.drawn[i] ? 75 * 13 : 0);
            if (c.drawn[i]) {
                EXPECT_EQ(countIn({165, 200, 180, 213}, black), 15 * 13);
            }
        }
    }
}

TEST_F(SplashPaintTest, PaintsWithoutABufferAreCountedAndTheFirstFrameDrawnOpens) {
    releaseBackBuffer(buffer);
    EXPECT_EQ(paintAt(0).width(), 0);
    EXPECT_EQ(paintAt(60).width(), 0);
    EXPECT_EQ(state.splashFrame, 2);
    EXPECT_FALSE(scene.prepared);

    createBackBuffer(buffer, screenWidth, bufferHeight);
    EXPECT_TRUE(isWhole(paintAt(120, white)));
    EXPECT_TRUE(scene.prepared);
    EXPECT_EQ(countIn({25, 30, 219, 48}, purple), 194 * 18);
}

TEST_F(SplashPaintTest, PaintsPastTheLastFrameDrawNothingAndNeverStartOver) {
    open();
    state.splashFrame = lastSplashFrame;
    for (int i = 0; i < 3; ++i) {
        const Rect area = paintAt(300, white);
        EXPECT_EQ(area.width() * area.height(), 0);
        EXPECT_EQ(state.splashFrame, lastSplashFrame + 1);
    }
    EXPECT_EQ(countIn(wholeBuffer(buffer), white), screenWidth * bufferHeight);
}

TEST_F(SplashPaintTest, MissingPicturesAreSkipped) {
    pictures.clear();
    open();
    EXPECT_EQ(countIn({25, 30, 219, 48}, purple), 0);
    EXPECT_GT(countIn(webAddressRect, yellow), 0);
    for (std::uint32_t step : {4u, 40u, 42u, 43u}) paintAt(step * 60);
    EXPECT_EQ(scene.namePictureDue, 0);
    EXPECT_EQ(countIn({90, 200, 165, 213}, green), 0);
}

} // namespace
} // namespace kelvaro
