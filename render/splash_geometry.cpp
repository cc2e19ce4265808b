#include "render/splash_geometry.h"

#include <algorithm>
#include <cmath>

namespace kelvaro {

namespace {

// 6.283 / 180: two degrees, so that point i lies at 4 i degrees.
constexpr double twoDegrees = 0.034905555555555556;
constexpr int ringHalfWidth = 700;
constexpr int ringHalfDepth = -100;
// The star field's bottom is where a point at the viewer's depth lands.
constexpr int horizonSpan = starFieldRect.bottom - vanishingPoint.y;
constexpr double tiltSin = 0.259; // sin 15 degrees
constexpr double tiltCos = 0.966;

constexpr std::uint32_t rgb(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
           (static_cast<std::uint32_t>(blue) << 16);
}

} // namespace

std::uint32_t starPixelColour(const StarPixel& pixel, int brightness) {
    return rgb((brightness * pixel.red) >> 7, (brightness * pixel.green) >> 7,
               (brightness * pixel.blue) >> 7);
}

void makeStarField(SplashScene& scene, RandomSource& random) {
    for (Star& star : scene.starField) {
        star.x = starFieldRect.left + random.draw() % starFieldRect.width();
        star.y = starFieldRect.top + random.draw() % starFieldRect.height();
        star.brightness = static_cast<std::uint16_t>(random.draw() & 255);
    }
}

double splashDepthScale() {
    const int depthTerm =
        (horizonSpan * 100) / (ringCentre.y - vanishingPoint.y) - 100; // 1750 - 100
    return static_cast<double>(cameraPoint.y) / depthTerm;
}

void makeRingPoints(SplashScene& scene) {
    for (int i = 0; i < ringPointCount; ++i) {
        const double angle = static_cast<double>(2 * i) * twoDegrees;
        scene.ringPoints[i] = {std::sin(angle) * ringHalfWidth, std::cos(angle) * ringHalfDepth};
    }
    scene.depthScale = splashDepthScale();
}

Point scaleRingPoint(const RingPoint& point, int scale) {
    return {static_cast<int>(point.x * scale), static_cast<int>(point.y * scale)};
}

Point projectRingPoint(Point ringPoint, double depthScale) {
    int y1 = cameraPoint.y; // at or behind the viewer: far below the screen
    if (ringPoint.y < cameraPoint.y) {
        const int depth = static_cast<int>((cameraPoint.y - ringPoint.y) / depthScale);
        y1 = vanishingPoint.y + (horizonSpan * 100) / (depth + 100);
    }
    const int x1 = ringCentre.x + (ringPoint.x * 120) / cameraPoint.x;
    const int x2 = x1 - ((x1 - vanishingPoint.x) * (starFieldRect.bottom - y1)) / horizonSpan;
    const int dx = x2 - ringCentre.x;
    const int dy = y1 - ringCentre.y;
    return {ringCentre.x - static_cast<int>(dy * tiltSin - dx * tiltCos),
            ringCentre.y - static_cast<int>(dx * tiltSin - dy * tiltCos)};
}

std::uint32_t splashPenColour(int e) {
    const int a = std::max(2 * (e - 100), 100);
    return rgb(15000 / a, 3000 / a, 19000 / a);
}

int bandCut(int e) {
    return e > 200 ? (e - 170) / 2 : 0;
}

int bandPolygon(std::span<const Point, ringPointCount> outer,
                std::span<const Point, ringPointCount> inner, int e,
                std::span<Point, maxBandPoints> band) {
    const int cut = bandCut(e);
    const int count = (ringPointCount - 1) - 2 * cut;
    if (count <= 0) return 0;
    int n = 0;
    for (int i = cut; i <= ringPointCount - 2 - cut; ++i) band[n++] = outer[i];
    for (int i = ringPointCount - 1 - cut; i >= cut + 1; --i) band[n++] = inner[i];
    return n;
}

namespace {

// Keeps the part of the polygon on the inner side of one window edge. inside(p) tells the
// side; cross(a, b) is where the edge from a to b meets the window's edge.
template <typename Inside, typename Cross>
void clipAgainst(const std::vector<Point>& in, std::vector<Point>& out, Inside inside,
                 Cross cross) {
    out.clear();
    if (in.empty()) return;
    Point previous = in.back();
    bool previousInside = inside(previous);
    for (const Point& current : in) {
        const bool currentInside = inside(current);
        if (currentInside != previousInside) out.push_back(cross(previous, current));
        if (currentInside) out.push_back(current);
        previous = current;
        previousInside = currentInside;
    }
}

// Along a segment from a to b, given as (clipped, other) coordinate pairs, the other
// coordinate where the clipped one reaches at, rounded to the nearest pixel.
int interpolate(int a0, int a1, int b0, int b1, int at) {
    const double t = static_cast<double>(at - a0) / (b0 - a0);
    return static_cast<int>(std::lround(a1 + t * (b1 - a1)));
}

} // namespace

std::vector<Point> clipPolygon(std::span<const Point> polygon, const ClipBounds& bounds) {
    std::vector<Point> current(polygon.begin(), polygon.end());
    std::vector<Point> next;
    next.reserve(current.size() + 8);
    const auto atX = [](int x) {
        return [x](Point a, Point b) { return Point{x, interpolate(a.x, a.y, b.x, b.y, x)}; };
    };
    const auto atY = [](int y) {
        return [y](Point a, Point b) { return Point{interpolate(a.y, a.x, b.y, b.x, y), y}; };
    };
    clipAgainst(
        current, next, [&](Point p) { return p.x >= bounds.left; }, atX(bounds.left));
    clipAgainst(
        next, current, [&](Point p) { return p.x <= bounds.right; }, atX(bounds.right));
    clipAgainst(
        current, next, [&](Point p) { return p.y >= bounds.top; }, atY(bounds.top));
    clipAgainst(
        next, current, [&](Point p) { return p.y <= bounds.bottom; }, atY(bounds.bottom));
    return current;
}

int flareHalfSize(std::uint32_t step, RandomSource& random) {
    if (step < 3) return 0;
    if (step == 3) return 30;
    if (step == 4) return 60;
    if (step <= 14) return 5 * (17 - static_cast<int>(step));
    return 8 + (random.draw() & 7);
}

} // namespace kelvaro
