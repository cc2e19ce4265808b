// The splash's arithmetic: the star field, the ring and its projection, the pen colour,
// the band polygon and the flare's size. Pure functions, no drawing.
#pragma once

#include "engine/random_source.h"
#include "model/layout.h"
#include "model/splash_scene.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kelvaro {

// The band polygon holds at most the outer and inner points 0 to 88.
constexpr int maxBandPoints = 2 * (ringPointCount - 1);

// Each star is five pixels around (x, y); a component is (brightness x multiplier) >> 7.
struct StarPixel {
    int dx, dy;
    int red, green, blue;
};
constexpr StarPixel starPixels[] = {
    {-1, 0, 52, 51, 60}, {0, -1, 51, 46, 59}, {0, 0, 76, 74, 84},
    {0, 1, 25, 21, 31},  {1, 0, 29, 28, 37},
};

// 0x00BBGGRR colour of one of a star's pixels.
std::uint32_t starPixelColour(const StarPixel& pixel, int brightness);

// Stars drawn in order: x, y and brightness per star, each from a fresh draw.
void makeStarField(SplashScene& scene, RandomSource& random);

// 90 points 4 degrees apart on an ellipse 700 wide and 100 deep, and the depth divisor that
// puts a point of depth 0 on ringCentre.
void makeRingPoints(SplashScene& scene);
double splashDepthScale();

// A ring point scaled by e, truncated to whole units.
Point scaleRingPoint(const RingPoint& point, int scale);

// Screen position of a scaled ring point (X lateral, Y depth): perspective towards
// vanishingPoint, then tilted by 15 degrees around ringCentre.
Point projectRingPoint(Point ringPoint, double depthScale);

// The ring's outline colour, 0x00BBGGRR: full purple up to e = 150, darker after.
std::uint32_t splashPenColour(int e);

// How many points each end of the band loses: the far side is cut away past e = 200.
int bandCut(int e);

// Writes the band polygon (outer points cut..88-cut, then inner points 89-cut..cut+1)
// into band, which holds maxBandPoints; returns its point count.
int bandPolygon(std::span<const Point, ringPointCount> outer,
                std::span<const Point, ringPointCount> inner, int e,
                std::span<Point, maxBandPoints> band);

// A clipping window whose edges belong to it: left <= x <= right, top <= y <= bottom.
struct ClipBounds {
    int left, top, right, bottom;
};

// Cuts a closed polygon down to the part inside bounds (Sutherland-Hodgman); the cut edges
// run along the window's edges, where they are not seen when the window is a pixel larger
// than the area shown. Inside the window the even-odd fill stays the same, and an edge that
// was cut is drawn at most a pixel away from where the whole edge would be, without walking
// the thousands of pixels that points behind the viewer put it off the screen. Returns the
// clipped polygon, empty when nothing is inside.
std::vector<Point> clipPolygon(std::span<const Point> polygon, const ClipBounds& bounds);

// Half the flare's side at step b; 0 means no flare. Draws from random only from step 15
// on, where the flare twinkles.
int flareHalfSize(std::uint32_t step, RandomSource& random);

} // namespace kelvaro
