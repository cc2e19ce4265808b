#include "app/cursor_overlay.h"

#include "app/game_area_geometry.h"
#include "game/keyboard_pen.h"

#include <QPainter>

namespace kelvaro {

QRect wantedCursorFrame(const GameWorld& world, const GameAreaPlacement& placement) {
    if (!keyboardCursorVisible(world)) return {};
    return widgetRect(placement, keyboardCursorRect(world));
}

QRect deviceCursorFrame(const GameWorld& world, const GameAreaPlacement& placement) {
    if (!keyboardCursorVisible(world)) return {};
    return deviceRect(placement, keyboardCursorRect(world));
}

void paintCursorFrame(QPainter& painter, const QRect& cell, int factor) {
    const int w = cursorFrameBufferPixels * factor;
    const QColor colour = QColor::fromRgb(cursorFrameColour);
    painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), w), colour);
    painter.fillRect(QRect(cell.left(), cell.bottom() + 1 - w, cell.width(), w), colour);
    painter.fillRect(QRect(cell.left(), cell.top() + w, w, cell.height() - 2 * w), colour);
    painter.fillRect(QRect(cell.right() + 1 - w, cell.top() + w, w, cell.height() - 2 * w), colour);
}

} // namespace kelvaro
