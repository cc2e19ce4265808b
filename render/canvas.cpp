#include "render/canvas.h"

#include "render/colour.h"
#include "render/pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace kelvaro {
namespace {

// The pixel loops read 32-bit pixels; any other picture is converted first.
QImage asRgb32(const QImage& picture) {
    if (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32)
        return picture;
    return picture.convertToFormat(QImage::Format_RGB32);
}

Rect clipTo(const QImage& image, const Rect& area) {
    return {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, image.width()),
            std::min(area.bottom, image.height())};
}

// Rows are found from one pointer: scanLine() checks for sharing on every call.
struct Pixels {
    uchar* bits;
    qsizetype stride;
    QRgb* operator[](int y) const { return reinterpret_cast<QRgb*>(bits + y * stride); }
};
Pixels pixelsOf(QImage& image) {
    return {image.bits(), image.bytesPerLine()};
}

const QRgb* row(const QImage& image, int y) {
    return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

// Black-and-white pictures are read by brightness, whatever their palette or format.
bool isWhite(QRgb pixel) {
    return qGray(pixel) >= 128;
}

bool inside(const QImage& image, int x, int y) {
    return x >= 0 && y >= 0 && x < image.width() && y < image.height();
}

// The block's destination clipped to the target, with the matching source origin.
struct Span2D {
    int x0, y0, x1, y1; // destination, exclusive ends
    int dx, dy;         // source = destination + (dx, dy)
};

Span2D clipBlock(const QImage& target, const Block& b) {
    const Rect d = clipTo(target, {b.x, b.y, b.x + b.w, b.y + b.h});
    return {d.left, d.top, d.right, d.bottom, b.sx - b.x, b.sy - b.y};
}

} // namespace

void fillRect(QImage& target, const Rect& area, Colour colour) {
    const Rect r = clipTo(target, area);
    if (r.width() <= 0 || r.height() <= 0) return;
    const QRgb value = toQRgb(colour);
    const Pixels out = pixelsOf(target);
    for (int y = r.top; y < r.bottom; ++y) std::fill(out[y] + r.left, out[y] + r.right, value);
}

void plotPixel(QImage& target, int x, int y, Colour colour) {
    if (inside(target, x, y)) pixelsOf(target)[y][x] = toQRgb(colour);
}

void copyTile(QImage& target, const QImage& picture, const Block& block) {
    if (picture.isNull()) return;
    const QImage src = asRgb32(picture);
    Span2D s = clipBlock(target, block);
    // Clip the source side too: only pixels that exist in the picture are copied.
    s.x0 = std::max(s.x0, -s.dx);
    s.y0 = std::max(s.y0, -s.dy);
    s.x1 = std::min(s.x1, src.width() - s.dx);
    s.y1 = std::min(s.y1, src.height() - s.dy);
    if (s.x0 >= s.x1) return;
    const Pixels out = pixelsOf(target);
    for (int y = s.y0; y < s.y1; ++y) {
        const QRgb* from = row(src, y + s.dy) + s.x0 + s.dx;
        QRgb* to = out[y] + s.x0;
        for (int x = 0; x < s.x1 - s.x0; ++x) to[x] = from[x] | 0xFF000000u;
    }
}

void copyTwoColour(QImage& target, const QImage& picture, const Block& block, Colour ink,
                   Colour paper) {
    const QImage src = picture.isNull() ? QImage() : asRgb32(picture);
    const Span2D s = clipBlock(target, block);
    const QRgb inkRgb = toQRgb(ink);
    const QRgb paperRgb = toQRgb(paper);
    const Pixels out = pixelsOf(target);
    for (int y = s.y0; y < s.y1; ++y) {
        QRgb* to = out[y];
        const int sy = y + s.dy;
        const bool rowInside = sy >= 0 && sy < src.height();
        const QRgb* from = rowInside ? row(src, sy) : nullptr;
        for (int x = s.x0; x < s.x1; ++x) {
            const int sx = x + s.dx;
            const bool isPaper = !from || sx < 0 || sx >= src.width() || isWhite(from[sx]);
            to[x] = isPaper ? paperRgb : inkRgb;
        }
    }
}

void drawGlyph(QImage& target, const QImage& atlas, int sx, int sy, int x, int y, Colour colour) {
    if (atlas.isNull()) return;
    const QImage src = asRgb32(atlas);
    const Span2D s = clipBlock(target, {sx, sy, glyphPixels, glyphPixels, x, y});
    const QRgb value = toQRgb(colour);
    const Pixels out = pixelsOf(target);
    for (int ty = s.y0; ty < s.y1; ++ty) {
        const int py = ty + s.dy;
        if (py < 0 || py >= src.height()) continue;
        const QRgb* from = row(src, py);
        QRgb* to = out[ty];
        for (int tx = s.x0; tx < s.x1; ++tx) {
            const int px = tx + s.dx;
            if (px >= 0 && px < src.width() && isWhite(from[px])) to[tx] = value;
        }
    }
}

void invertRect(QImage& target, const Rect& area) {
    const Rect r = clipTo(target, area);
    const Pixels out = pixelsOf(target);
    for (int y = r.top; y < r.bottom; ++y) {
        QRgb* line = out[y];
        for (int x = r.left; x < r.right; ++x) line[x] ^= 0x00FFFFFFu;
    }
}

namespace {

// Bresenham from a towards b, a included and b excluded.
void drawLine(QImage& target, Point a, Point b, QRgb value) {
    // A line wholly beside the image draws nothing: skip walking it pixel by pixel.
    if ((a.x < 0 && b.x < 0) || (a.y < 0 && b.y < 0) ||
        (a.x >= target.width() && b.x >= target.width()) ||
        (a.y >= target.height() && b.y >= target.height()))
        return;
    const Pixels out = pixelsOf(target);
    const int dx = std::abs(b.x - a.x);
    const int dy = -std::abs(b.y - a.y);
    const int stepX = a.x < b.x ? 1 : -1;
    const int stepY = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    int x = a.x;
    int y = a.y;
    while (x != b.x || y != b.y) {
        if (inside(target, x, y)) out[y][x] = value;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += stepX;
        }
        if (e2 <= dx) {
            err += dx;
            y += stepY;
        }
    }
}

} // namespace

void drawPolyline(QImage& target, std::span<const Point> points, Colour colour) {
    const QRgb value = toQRgb(colour);
    for (std::size_t i = 1; i < points.size(); ++i)
        drawLine(target, points[i - 1], points[i], value);
}

void fillTexturedPolygon(QImage& target, std::span<const Point> points, const QImage& texture,
                         Colour outline) {
    if (points.empty()) return;
    const std::size_t n = points.size();
    if (!texture.isNull() && n >= 3) {
        const QImage tex = asRgb32(texture);
        const int tw = tex.width();
        const int th = tex.height();
        int top = points[0].y;
        int bottom = points[0].y;
        for (const Point& p : points) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
        top = std::max(top, 0);
        bottom = std::min(bottom, target.height() - 1);
        const Pixels out = pixelsOf(target);
        std::vector<double> crossings;
        crossings.reserve(n);
        for (int y = top; y <= bottom; ++y) {
            const double yc = y + 0.5;
            crossings.clear();
            for (std::size_t i = 0; i < n; ++i) {
                const Point a = points[i];
                const Point b = points[(i + 1) % n];
                if ((a.y <= yc && yc < b.y) || (b.y <= yc && yc < a.y))
                    crossings.push_back(a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y));
            }
            std::sort(crossings.begin(), crossings.end());
            QRgb* line = out[y];
            const QRgb* texLine = row(tex, y % th);
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                // Pixels whose centre x + 0.5 lies in [from, to).
                int x0 = static_cast<int>(std::ceil(crossings[i] - 0.5));
                int x1 = static_cast<int>(std::ceil(crossings[i + 1] - 0.5));
                x0 = std::max(x0, 0);
                x1 = std::min(x1, target.width());
                for (int x = x0; x < x1; ++x) line[x] = texLine[x % tw] | 0xFF000000u;
            }
        }
    }
    const QRgb value = toQRgb(outline);
    for (std::size_t i = 0; i < n; ++i) drawLine(target, points[i], points[(i + 1) % n], value);
}

void stretchAdd(QImage& target, const QImage& picture, int x, int y, int w, int h) {
    if (picture.isNull() || w <= 0 || h <= 0) return;
    const QImage src = asRgb32(picture);
    const Rect r = clipTo(target, {x, y, x + w, y + h});
    const Pixels out = pixelsOf(target);
    for (int ty = r.top; ty < r.bottom; ++ty) {
        const QRgb* from =
            row(src, static_cast<int>(static_cast<long long>(ty - y) * src.height() / h));
        QRgb* to = out[ty];
        for (int tx = r.left; tx < r.right; ++tx) {
            const int px = static_cast<int>(static_cast<long long>(tx - x) * src.width() / w);
            to[tx] |= from[px] & 0x00FFFFFFu;
        }
    }
}

} // namespace kelvaro
