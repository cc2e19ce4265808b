#include "app/game_area_geometry.h"

#include <QRectF>
#include <algorithm>
#include <cmath>

namespace kelvaro {

GameAreaPlacement placeGameArea(QSize widgetSize, qreal ratio) {
    // Whole device pixels only: a partial one at the edge would be half a pixel of margin.
    const QSize device(static_cast<int>(std::floor(widgetSize.width() * ratio)),
                       static_cast<int>(std::floor(widgetSize.height() * ratio)));
    const int factor =
        std::max(1, std::min(device.width() / screenWidth, device.height() / bufferHeight));
    const QSize scaled(screenWidth * factor, bufferHeight * factor);
    const QPoint origin((device.width() - scaled.width()) / 2,
                        (device.height() - scaled.height()) / 2);
    return {factor, QRect(origin, scaled), ratio};
}

Point bufferPixel(const GameAreaPlacement& placement, QPointF widgetPos) {
    // floor, not truncation: a position just left of the area must not land on column 0 by
    // rounding towards zero. Outside the area the coordinate stops one pixel past the edge,
    // which lies beyond every board, so that no far position can reach the game's integers
    // and wrap round onto a cell. The negated test also sends a NaN off the area.
    const auto toBuffer = [&](double pos, int origin, int limit) {
        const double pixel = std::floor((pos * placement.ratio - origin) / placement.factor);
        if (!(pixel >= 0)) return -1;
        return pixel < limit ? static_cast<int>(pixel) : limit;
    };
    return {toBuffer(widgetPos.x(), placement.target.left(), screenWidth),
            toBuffer(widgetPos.y(), placement.target.top(), bufferHeight)};
}

QRect deviceRect(const GameAreaPlacement& placement, const Rect& area) {
    const int f = placement.factor;
    return QRect(placement.target.left() + area.left * f, placement.target.top() + area.top * f,
                 area.width() * f, area.height() * f);
}

QRect widgetRect(const GameAreaPlacement& placement, const Rect& area) {
    const QRect device = deviceRect(placement, area);
    const qreal r = placement.ratio;
    return QRectF(device.x() / r, device.y() / r, device.width() / r, device.height() / r)
        .toAlignedRect();
}

QRect toDevice(const GameAreaPlacement& placement, const QRect& area) {
    const qreal r = placement.ratio;
    return QRectF(area.x() * r, area.y() * r, area.width() * r, area.height() * r).toAlignedRect();
}

Rect bufferRect(const GameAreaPlacement& placement, const QRect& area) {
    const QRect visible = area.intersected(placement.target);
    if (visible.isEmpty()) return {0, 0, 0, 0};
    const int f = placement.factor;
    const int left = (visible.left() - placement.target.left()) / f;
    const int top = (visible.top() - placement.target.top()) / f;
    // QRect's right() is inclusive; the pixel after it starts the excluded edge.
    const int right = (visible.right() + 1 - placement.target.left() + f - 1) / f;
    const int bottom = (visible.bottom() + 1 - placement.target.top() + f - 1) / f;
    return {left, top, std::min(right, screenWidth), std::min(bottom, bufferHeight)};
}

int comfortableFactor(QSize availableScreen, int chromeHeight) {
    // 85% of the screen: large enough to play with a mouse, small enough to leave some of
    // the desktop around the window. Compared in hundredths, so no rounding decides.
    const auto fits = [&](int f) {
        return 100 * (chromeHeight + bufferHeight * f) <= 85 * availableScreen.height() &&
               100 * (screenWidth * f) <= 85 * availableScreen.width();
    };
    int factor = 1;
    while (fits(factor + 1)) ++factor;
    return factor;
}

} // namespace kelvaro
