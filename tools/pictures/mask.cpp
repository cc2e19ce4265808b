#include "mask.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

namespace kelvaro::pictures {

namespace {

constexpr double pi = 3.14159265358979323846;

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    double t = len2 > 0 ? QPointF::dotProduct(p - a, ab) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

template <typename Inside> void fill(Mask& m, bool on, Inside inside) {
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            if (inside(x + 0.5, y + 0.5)) m.set(x, y, on);
}

} // namespace

void disc(Mask& m, double cx, double cy, double r, bool on) {
    fill(m, on, [&](double x, double y) { return std::hypot(x - cx, y - cy) <= r; });
}

void ring(Mask& m, double cx, double cy, double inner, double outer, bool on) {
    fill(m, on, [&](double x, double y) {
        const double d = std::hypot(x - cx, y - cy);
        return d >= inner && d <= outer;
    });
}

void stroke(Mask& m, QPointF a, QPointF b, double halfWidth, bool on) {
    fill(m, on,
         [&](double x, double y) { return distanceToSegment(QPointF(x, y), a, b) <= halfWidth; });
}

void strokePath(Mask& m, std::initializer_list<QPointF> points, double halfWidth, bool on) {
    const QPointF* prev = nullptr;
    for (const QPointF& p : points) {
        if (prev) stroke(m, *prev, p, halfWidth, on);
        prev = &p;
    }
}

void arc(Mask& m, double cx, double cy, double r, double fromDeg, double toDeg, double halfWidth,
         bool on) {
    // Angles in degrees, counter-clockwise on screen from the positive x axis.
    fill(m, on, [&](double x, double y) {
        const double dx = x - cx, dy = cy - y;
        if (std::abs(std::hypot(dx, dy) - r) > halfWidth) return false;
        double a = std::atan2(dy, dx) * 180 / pi;
        while (a < fromDeg) a += 360;
        return a <= toDeg;
    });
}

void polygon(Mask& m, const std::vector<QPointF>& points, bool on) {
    fill(m, on, [&](double x, double y) {
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const QPointF& a = points[i];
            const QPointF& b = points[j];
            if ((a.y() > y) != (b.y() > y) &&
                x < (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()) + a.x())
                inside = !inside;
        }
        return inside;
    });
}

void rect(Mask& m, int x, int y, int w, int h, bool on) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) m.set(i, j, on);
}

int artWidth(std::initializer_list<const char*> rows) {
    int w = 0;
    for (const char* row : rows)
        w = std::max(w, static_cast<int>(std::char_traits<char>::length(row)));
    return w;
}

void art(Mask& m, int x, int y, std::initializer_list<const char*> rows, int scale) {
    // Ragged rows are a typing mistake in the art, never intended.
    const int w = artWidth(rows);
    int j = 0;
    for (const char* row : rows) {
        if (static_cast<int>(std::char_traits<char>::length(row)) != w)
            throw std::runtime_error("ragged pixel art row: " + std::string(row));
        for (int i = 0; i < w; ++i)
            if (row[i] == '#')
                for (int sy = 0; sy < scale; ++sy)
                    for (int sx = 0; sx < scale; ++sx)
                        m.set(x + i * scale + sx, y + j * scale + sy);
        ++j;
    }
}

int textWidth(const QString& s, const QFont& font) {
    return QFontMetrics(font).horizontalAdvance(s);
}

void text(Mask& m, const QString& s, const QFont& font, double cx, int baseline) {
    QImage canvas(m.width, m.height, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.setFont(font);
        p.setPen(Qt::white);
        const double w = QFontMetricsF(font).horizontalAdvance(s);
        p.drawText(QPointF(std::round(cx - w / 2), baseline), s);
    }
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            if (qGray(canvas.pixel(x, y)) >= 128) m.set(x, y);
}

Mask rotated180(const Mask& m) {
    Mask r(m.width, m.height);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) r.set(m.width - 1 - x, m.height - 1 - y, m.at(x, y));
    return r;
}

void blit(Mask& dst, const Mask& src, int x, int y) {
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i)
            if (src.at(i, j)) dst.set(x + i, y + j);
}

QImage zeroedImage(int width, int height, QImage::Format format) {
    QImage image(width, height, format);
    std::memset(image.bits(), 0, static_cast<size_t>(image.sizeInBytes()));
    return image;
}

QImage monoImage(const Mask& m, int ink) {
    QImage image = zeroedImage(m.width, m.height, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(1 - ink);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            if (m.at(x, y)) image.setPixel(x, y, static_cast<uint>(ink));
    return image;
}

} // namespace kelvaro::pictures
