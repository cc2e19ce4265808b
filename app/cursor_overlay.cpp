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

namespace {

// A ring `width` device pixels wide along the inside of `outer`.
void fillRing(QPainter& painter, const QRect& outer, int width, const QColor& colour) {
    painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), width), colour);
    painter.fillRect(QRect(outer.left(), outer.bottom() + 1 - width, outer.width(), width), colour);
    painter.fillRect(QRect(outer.left(), outer.top() + width, width, outer.height() - 2 * width),
                     colour);
    painter.fillRect(
        QRect(outer.right() + 1 - width, outer.top() + width, width, outer.height() - 2 * width),
        colour);
}

} // namespace

void paintCursorFrame(QPainter& painter, const QRect& cell, int factor, bool edged) {
    const int w = cursorFrameBufferPixels * factor;
    const QColor colour = QColor::fromRgb(cursorFrameColour);
    if (!edged) {
        fillRing(painter, cell, w, colour);
        return;
    }
    const QColor edge = QColor::fromRgb(cursorEdgeColour);
    fillRing(painter, cell, factor, edge);
    fillRing(painter, cell.adjusted(factor, factor, -factor, -factor), w, colour);
    fillRing(painter, cell.adjusted(factor + w, factor + w, -factor - w, -factor - w), factor,
             edge);
}

} // namespace kelvaro
