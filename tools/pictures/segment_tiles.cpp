// Picture 144: seven mauve cell tiles, the last six carrying a silver pipe.
#include "palette.h"
#include "pictures.h"

#include <QPointF>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace kelvaro::pictures {

namespace {

constexpr int cell = 20;

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Deterministic per-pixel noise in [-1, 1]; the same pattern under every tile, so the
// cells of a board differ only by their pipes.
double grain(int x, int y) {
    std::uint32_t h =
        (static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u) ^
        0x5bd1e995u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFF) / 32767.5 - 1.0;
}

constexpr Rgb mauve{153, 111, 158};

Rgb background(int x, int y) {
    // Two octaves of grain: fine speckle over a softer blotch.
    const double fine = grain(x, y);
    const double soft = (grain(x / 2, y / 2 + 40) + grain((x + 1) / 2 + 17, (y + 1) / 2)) / 2;
    const double v = fine * 7 + soft * 6;
    Rgb c{mauve.r + v, mauve.g + v * 0.85, mauve.b + v};
    if (x == cell - 1 || y == cell - 1) return mix(c, {40, 20, 45}, 0.45);
    if (x == 0 || y == 0) return mix(c, {255, 240, 255}, 0.35);
    return c;
}

// Directions as in a segment code: 1 up, 2 right, 3 down, 4 left.
QPointF edgeEnd(int direction) {
    switch (direction) {
    case 1:
        return {10, -6};
    case 2:
        return {cell + 6, 10};
    case 3:
        return {10, cell + 6};
    default:
        return {-6, 10};
    }
}

double distanceToRun(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    double t = QPointF::dotProduct(p - a, ab) / QPointF::dotProduct(ab, ab);
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

// The pipe runs from the tile's centre (10, 10), the corner shared by pixels 9 and 10,
// out through the named edges.
double distanceToPipe(QPointF p, int a, int b) {
    const QPointF centre(10, 10);
    return std::min(distanceToRun(p, centre, edgeEnd(a)), distanceToRun(p, centre, edgeEnd(b)));
}

constexpr double pipeRadius = 3.8;

// Silver across the pipe, bright in the middle and dark at the rim.
Rgb silver(double t) {
    static constexpr std::array<std::array<double, 2>, 6> stops{
        {{0.0, 252}, {0.8, 240}, {1.5, 212}, {2.5, 168}, {3.2, 110}, {3.6, 78}}};
    double v = stops.back()[1];
    for (size_t i = 1; i < stops.size(); ++i)
        if (t <= stops[i][0]) {
            const double u = (t - stops[i - 1][0]) / (stops[i][0] - stops[i - 1][0]);
            v = stops[i - 1][1] + (stops[i][1] - stops[i - 1][1]) * u;
            break;
        }
    return {v, v, std::min(255.0, v + 8)};
}

Rgb pixel(int x, int y, int a, int b) {
    Rgb c = background(x, y);
    if (a == 0) return c;
    const QPointF centre(x + 0.5, y + 0.5);
    // A soft shadow to the lower right, as if lit from the upper left.
    const double shadow = distanceToPipe(centre - QPointF(1.2, 1.2), a, b);
    if (shadow < pipeRadius + 0.6) c = mix(c, {30, 10, 35}, 0.35);
    const double t = distanceToPipe(centre, a, b);
    const double cover = std::clamp(pipeRadius + 0.5 - t, 0.0, 1.0);
    return mix(c, silver(std::min(t, pipeRadius)), cover);
}

// The two directions of each tile's pipe, tile 0 having none.
constexpr std::array<std::array<int, 2>, 7> pipes{
    {{0, 0}, {1, 3}, {2, 4}, {1, 2}, {1, 4}, {3, 4}, {2, 3}}};

} // namespace

QImage drawSegmentTiles() {
    QImage rgb(cell * 7, cell, QImage::Format_RGB32);
    for (int k = 0; k < 7; ++k)
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x) {
                const Rgb c = pixel(x, y, pipes[k][0], pipes[k][1]);
                rgb.setPixel(k * cell + x, y,
                             qRgb(std::clamp(static_cast<int>(std::lround(c.r)), 0, 255),
                                  std::clamp(static_cast<int>(std::lround(c.g)), 0, 255),
                                  std::clamp(static_cast<int>(std::lround(c.b)), 0, 255)));
            }
    return toIndexed(rgb, tilePalette());
}

} // namespace kelvaro::pictures
