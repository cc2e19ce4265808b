#include "render/splash_paint.h"

#include "render/canvas.h"
#include "render/colour.h"
#include "render/pictures.h"
#include "render/splash_geometry.h"
#include "render/text.h"

#include <array>

namespace kelvaro {

namespace {

constexpr Block creditBlock{0, 0, 200, 18, 25, 30}; // the picture is 194 wide
constexpr Block nameBlock{0, 0, 90, 13, 90, 200};   // the picture is 75 wide
constexpr int ringInnerOffset = 6;

// Loaded for the frame that draws it and dropped after; null when absent.
QImage picture(const BackBuffer& buffer, int id) {
    return buffer.loadPicture ? buffer.loadPicture(id) : QImage();
}

void drawOpeningFrame(BackBuffer& buffer, SplashScene& scene, RandomSource& random) {
    fillRect(buffer.image, wholeBuffer(buffer), black);
    const QImage credit = picture(buffer, creditPictureId);
    if (!credit.isNull()) copyTwoColour(buffer.image, credit, creditBlock, purple, black);
    drawText(buffer.image, QString::fromUtf8(webAddressText.data(), webAddressText.size()),
             webAddressRect, TextAlign::centre, yellow);
    makeStarField(scene, random);
    makeRingPoints(scene);
    scene.prepared = true;
}

void drawStars(QImage& image, const SplashScene& scene) {
    for (const Star& star : scene.starField)
        for (const StarPixel& pixel : starPixels)
            plotPixel(image, star.x + pixel.dx, star.y + pixel.dy,
                      starPixelColour(pixel, star.brightness));
}

void drawRing(BackBuffer& buffer, const SplashScene& scene, int e) {
    std::array<Point, ringPointCount> outer;
    std::array<Point, ringPointCount> inner;
    for (int i = 0; i < ringPointCount; ++i) {
        outer[i] = projectRingPoint(scaleRingPoint(scene.ringPoints[i], e), scene.depthScale);
        inner[i] = projectRingPoint(scaleRingPoint(scene.ringPoints[i], e - ringInnerOffset),
                                    scene.depthScale);
    }
    const Colour pen = splashPenColour(e);
    if (e < 170) {
        // Open: the far side between the last point and the first stays undrawn.
        drawPolyline(buffer.image, outer, pen);
        return;
    }
    std::array<Point, maxBandPoints> band;
    const int count = bandPolygon(outer, inner, e, band);
    // Past e = 200 the band reaches behind the viewer, thousands of pixels off the image. Only
    // the star field is shown on the animation frames, so the band is cut a pixel outside it:
    // the cut edges fall on rows that never reach the screen.
    const std::vector<Point> visible =
        clipPolygon(std::span<const Point>(band.data(), count),
                    {-1, starFieldRect.top - 1, starFieldRect.right, starFieldRect.bottom});
    if (visible.empty()) return;
    // Without its texture the band is still outlined.
    const QImage texture = picture(buffer, ringTextureId);
    fillTexturedPolygon(buffer.image, visible, texture, pen);
}

void drawFlare(BackBuffer& buffer, std::uint32_t step, RandomSource& random) {
    const int half = flareHalfSize(step, random);
    if (half <= 0 || half > 60) return;
    const QImage flare = picture(buffer, flarePictureId);
    if (flare.isNull()) return;
    stretchAdd(buffer.image, flare, ringCentre.x - half, ringCentre.y - half, 2 * half, 2 * half);
}

void drawAnimationFrame(BackBuffer& buffer, SplashScene& scene, std::uint32_t step,
                        RandomSource& random) {
    if (step == static_cast<std::uint32_t>(namePictureStep)) {
        scene.namePictureDue = 1;
    } else if (scene.namePictureDue != 0) {
        const QImage name = picture(buffer, namePictureId);
        if (!name.isNull()) copyTwoColour(buffer.image, name, nameBlock, green, black);
        scene.namePictureDue = 0;
    }
    fillRect(buffer.image, starFieldRect, black);
    drawStars(buffer.image, scene);
    // e = 5 b, strictly between 10 and 250.
    if (step >= 3 && step <= 49) drawRing(buffer, scene, 5 * static_cast<int>(step));
    drawFlare(buffer, step, random);
}

} // namespace

Rect paintSplash(BackBuffer& buffer, GameState& state, SplashScene& scene, RandomSource& random,
                 TickSource& ticks) {
    // Stops counting past the last frame, so the count can never wrap back to the opening one.
    if (state.splashFrame <= lastSplashFrame) ++state.splashFrame;
    if (state.splashFrame <= 1 || state.splashFrame > lastSplashFrame) return {};
    if (!hasBackBuffer(buffer)) return {};
    const std::uint32_t step = (ticks.tickCount() - state.splashTick) / splashStepMs;
    // A buffer made late can miss the second paint; the first frame drawn then opens.
    if (state.splashFrame == 2 || !scene.prepared)
        drawOpeningFrame(buffer, scene, random);
    else
        drawAnimationFrame(buffer, scene, step, random);
    return wholeBuffer(buffer);
}

} // namespace kelvaro
