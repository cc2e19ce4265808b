#include "palette.h"

#include "mask.h"

#include <algorithm>
#include <limits>

namespace kelvaro::pictures {

namespace {

QRgb lerp(QRgb a, QRgb b, double t) {
    auto c = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return qRgb(c(qRed(a), qRed(b)), c(qGreen(a), qGreen(b)), c(qBlue(a), qBlue(b)));
}

// n entries along a chain of colours, spread evenly.
void ramp(QList<QRgb>& out, std::initializer_list<QRgb> stops, int n) {
    const QList<QRgb> s(stops);
    for (int i = 0; i < n; ++i) {
        const double pos = static_cast<double>(i) / (n - 1) * (s.size() - 1);
        const int k = std::min(static_cast<int>(pos), static_cast<int>(s.size()) - 2);
        out.append(lerp(s[k], s[k + 1], pos - k));
    }
}

} // namespace

QList<QRgb> tilePalette() {
    QList<QRgb> p;
    ramp(p,
         {qRgb(50, 25, 55), qRgb(110, 75, 115), qRgb(153, 111, 158), qRgb(200, 165, 205),
          qRgb(245, 230, 248)},
         150);
    ramp(p, {qRgb(40, 38, 48), qRgb(120, 120, 130), qRgb(255, 255, 255)}, 90);
    ramp(p, {qRgb(60, 35, 64), qRgb(150, 140, 160)}, 16); // rim and shadow blends
    return p;
}

QList<QRgb> flarePalette() {
    QList<QRgb> p;
    ramp(p,
         {qRgb(0, 0, 0), qRgb(0, 10, 70), qRgb(20, 60, 190), qRgb(90, 150, 255),
          qRgb(190, 220, 255), qRgb(255, 255, 255)},
         256);
    return p;
}

QList<QRgb> purplePalette() {
    QList<QRgb> p;
    ramp(p,
         {qRgb(0, 0, 0), qRgb(40, 10, 60), qRgb(110, 40, 150), qRgb(175, 95, 215),
          qRgb(235, 185, 255)},
         16);
    return p;
}

QList<QRgb> standardPalette() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

QImage toIndexed(const QImage& rgb, const QList<QRgb>& palette) {
    QImage out = zeroedImage(rgb.width(), rgb.height(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            int best = 0;
            long bestDistance = std::numeric_limits<long>::max();
            for (int i = 0; i < palette.size(); ++i) {
                const long dr = qRed(c) - qRed(palette[i]);
                const long dg = qGreen(c) - qGreen(palette[i]);
                const long db = qBlue(c) - qBlue(palette[i]);
                const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (d < bestDistance) bestDistance = d, best = i;
            }
            out.setPixel(x, y, static_cast<uint>(best));
        }
    return out;
}

} // namespace kelvaro::pictures
