// The splash screen's colour pictures: the flare and the ring's surface.
#include "mask.h"
#include "palette.h"
#include "pictures.h"

#include <algorithm>
#include <cmath>

namespace kelvaro::pictures {

namespace {

// Brightness of the flare at a distance (dx, dy) from its centre, 0 to 1.
double flare(double dx, double dy) {
    const double r = std::hypot(dx, dy);
    const double core = std::exp(-r / 3.2);
    const double halo = 0.45 * std::exp(-r / 9.0);
    // Long rays on the axes, shorter and fainter ones on the diagonals.
    auto ray = [r](double across, double length, double strength) {
        return strength * std::exp(-across * across / 0.9) * std::max(0.0, 1 - r / length);
    };
    const double u = (dx + dy) / std::sqrt(2.0), v = (dx - dy) / std::sqrt(2.0);
    const double rays = ray(dx, 35, 0.9) + ray(dy, 35, 0.9) + ray(u, 22, 0.45) + ray(v, 22, 0.45);
    // Fade to black before the square's edge, so the stretched copy leaves no border.
    const double edge = std::clamp((34.5 - r) / 6.0, 0.0, 1.0);
    return std::min(1.0, (core + halo + rays) * edge);
}

} // namespace

QImage drawFlarePicture() {
    constexpr int side = 70;
    const QList<QRgb> palette = flarePalette();
    QImage image = zeroedImage(side, side, QImage::Format_Indexed8);
    image.setColorTable(palette);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double v = flare(x + 0.5 - side / 2.0, y + 0.5 - side / 2.0);
            image.setPixel(x, y, static_cast<uint>(std::lround(std::pow(v, 0.75) * 255)));
        }
    return image;
}

QImage drawRingTexture() {
    constexpr int w = 240, h = 100;
    const QList<QRgb> palette = purplePalette();
    QImage image = zeroedImage(w, h, QImage::Format_Indexed8);
    image.setColorTable(palette);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Crossing swells, bent by a slower wave, read as a rippled surface.
            const double a = std::sin(x / 9.0 + 1.8 * std::sin(y / 13.0));
            const double b = std::sin(y / 6.5 + x / 27.0 + 1.4 * std::sin(x / 31.0));
            const double c = std::sin((x + 2 * y) / 17.0);
            double v = 0.52 + 0.24 * a + 0.17 * b + 0.07 * c;
            // The shadowed upper-left corner, with a wavy rim.
            const double rim =
                std::pow(x / 95.0, 2) + std::pow(y / 42.0, 2) + 0.08 * std::sin(x / 5.0 + y / 7.0);
            if (rim < 1.0)
                v = 0;
            else if (rim < 1.35)
                v *= (rim - 1.0) / 0.35;
            const int index = std::clamp(static_cast<int>(std::lround(v * 15)), 0, 15);
            image.setPixel(x, y, static_cast<uint>(index));
        }
    return image;
}

} // namespace kelvaro::pictures
