#include "app/game_area_geometry.h"

#include <algorithm>
#include <cmath>

namespace kelvaro {

GameAreaPlacement placeGameArea(QSize widgetSize) {
    const int factor =
        std::max(1, std::min(widgetSize.width() / screenWidth, widgetSize.height() / bufferHeight));
    const QSize scaled(screenWidth * factor, bufferHeight * factor);
    const QPoint origin((widgetSize.width() - scaled.width()) / 2,
                        (widgetSize.height() - scaled.height()) / 2);
    return {factor, QRect(origin, scaled)};
}

Point bufferPixel(const GameAreaPlacement& placement, QPointF widgetPos) {
    // floor, not truncation: a position just left of the area must not land on column 0 by
    // rounding towards zero. Outside the area the coordinate stops one pixel past the edge,
    // which lies beyond every board, so that no far position can reach the game's integers
    // and wrap round onto a cell. The negated test also sends a NaN off the area.
    const auto toBuffer = [&](double pos, int origin, int limit) {
        const double pixel = std::floor((pos - origin) / placement.factor);
        if (!(pixel >= 0)) return -1;
        return pixel < limit ? static_cast<int>(pixel) : limit;
    };
    return {toBuffer(widgetPos.x(), placement.target.left(), screenWidth),
            toBuffer(widgetPos.y(), placement.target.top(), bufferHeight)};
}

QRect widgetRect(const GameAreaPlacement& placement, const Rect& area) {
    const int f = placement.factor;
    return QRect(placement.target.left() + area.left * f, placement.target.top() + area.top * f,
                 area.width() * f, area.height() * f);
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
    // Four fifths of the screen: large enough to play with a mouse, small enough to leave
    // the desktop visible around the window.
    const int width = availableScreen.width() * 4 / 5;
    const int height = availableScreen.height() * 4 / 5 - chromeHeight;
    return std::max(1, std::min(width / screenWidth, height / bufferHeight));
}

} // namespace kelvaro
