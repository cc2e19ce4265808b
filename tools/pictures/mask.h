// A one-bit drawing surface with the few shapes the pictures are built from.
// Shapes are given in continuous coordinates: pixel (x, y) covers [x, x + 1) x [y, y + 1)
// and is set when its centre lies inside the shape, so a shape drawn about a
// half-integer centre comes out exactly symmetric.
#pragma once

#include <QImage>
#include <QPointF>
#include <initializer_list>
#include <vector>

namespace kelvaro::pictures {

struct Mask {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bits;

    Mask(int w, int h) : width(w), height(h), bits(static_cast<size_t>(w * h), 0) {}
    bool at(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height && bits[y * width + x] != 0;
    }
    void set(int x, int y, bool on = true) {
        if (x >= 0 && y >= 0 && x < width && y < height) bits[y * width + x] = on ? 1 : 0;
    }
};

// Every shape either sets (on = true) or clears its pixels.
void disc(Mask& m, double cx, double cy, double r, bool on = true);
void ring(Mask& m, double cx, double cy, double inner, double outer, bool on = true);
void stroke(Mask& m, QPointF a, QPointF b, double halfWidth, bool on = true);
void strokePath(Mask& m, std::initializer_list<QPointF> points, double halfWidth, bool on = true);
void arc(Mask& m, double cx, double cy, double r, double fromDeg, double toDeg, double halfWidth,
         bool on = true);
void polygon(Mask& m, const std::vector<QPointF>& points, bool on = true);
void rect(Mask& m, int x, int y, int w, int h, bool on = true);

// Pixel art: one string per row, '#' for a set pixel; scaled by an integer factor and
// placed with its top-left corner at (x, y).
void art(Mask& m, int x, int y, std::initializer_list<const char*> rows, int scale = 1);
int artWidth(std::initializer_list<const char*> rows);

// Anti-aliased text thresholded to one bit, its baseline at y, horizontally centred on cx.
void text(Mask& m, const QString& s, const QFont& font, double cx, int baseline);
int textWidth(const QString& s, const QFont& font);

Mask rotated180(const Mask& m);
void blit(Mask& dst, const Mask& src, int x, int y);

// A new image with every byte zero, row padding included: the BMP writer copies whole
// rows, and left alone the padding would make each run write different files.
QImage zeroedImage(int width, int height, QImage::Format format);

// A one-bit picture with palette entry 0 black and entry 1 white; set mask pixels
// become entry `ink`.
QImage monoImage(const Mask& m, int ink);

} // namespace kelvaro::pictures
