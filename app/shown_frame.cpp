#include "app/shown_frame.h"

#include <QRgb>
#include <cstring>

namespace kelvaro {

namespace {

bool sameLayout(const ShownFrame& shown, const QImage& buffer) {
    return buffer.depth() == 32 && shown.pixels.size() == buffer.size() &&
           shown.pixels.format() == buffer.format();
}

} // namespace

bool knowsWholePicture(const ShownFrame& shown, const QImage& buffer) {
    return sameLayout(shown, buffer);
}

QRegion changedRegion(const ShownFrame& shown, const QImage& buffer, const QRect& area) {
    const QRect inside = area.intersected(buffer.rect());
    if (!sameLayout(shown, buffer)) return inside;
    QRegion changed;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const auto* now = reinterpret_cast<const QRgb*>(buffer.constScanLine(y));
        const auto* was = reinterpret_cast<const QRgb*>(shown.pixels.constScanLine(y));
        int left = inside.left();
        int right = inside.right();
        if (std::memcmp(now + left, was + left, sizeof(QRgb) * (right - left + 1)) == 0) continue;
        while (now[left] == was[left]) ++left;
        while (now[right] == was[right]) --right;
        changed += QRect(left, y, right - left + 1, 1);
    }
    return changed;
}

void markShown(ShownFrame& shown, const QImage& buffer, const QRegion& area) {
    if (buffer.depth() != 32) {
        shown.pixels = QImage();
        return;
    }
    if (!sameLayout(shown, buffer)) {
        // What the rest of the screen shows is unknown until the whole frame is presented.
        if (!(QRegion(buffer.rect()) - area).isEmpty()) return;
        shown.pixels = QImage(buffer.size(), buffer.format());
    }
    for (const QRect& part : area.intersected(buffer.rect())) {
        for (int y = part.top(); y <= part.bottom(); ++y) {
            std::memcpy(shown.pixels.scanLine(y) + part.left() * sizeof(QRgb),
                        buffer.constScanLine(y) + part.left() * sizeof(QRgb),
                        sizeof(QRgb) * part.width());
        }
    }
}

} // namespace kelvaro
