// Where the 240 x 270 game area sits in a desktop window, and back again.
#pragma once

#include "model/layout.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

namespace kelvaro {

// The whole buffer the game draws into: the board, the status strip and the splash.
constexpr Rect gameAreaRect{0, 0, screenWidth, bufferHeight};

// The game area shown at a whole-number factor, nearest-neighbour, centred.
struct GameAreaPlacement {
    int factor = 1;
    QRect target; // the scaled game area inside the widget
};

// The largest whole factor at which the game area fits the widget (at least 1), centred.
GameAreaPlacement placeGameArea(QSize widgetSize);

// The buffer pixel under a widget position: 0..239 across and 0..269 down inside the game
// area. Outside it (the black margin, or beyond the window during a drag) a coordinate is -1
// before the area and 240 or 270 after it, off every board, never clamped onto its edge.
Point bufferPixel(const GameAreaPlacement& placement, QPointF widgetPos);

// The widget rectangle that shows a rectangle of the buffer.
QRect widgetRect(const GameAreaPlacement& placement, const Rect& bufferRect);

// The buffer rectangle that covers a widget rectangle (grown to whole buffer pixels,
// cut to the game area); empty when the widget rectangle misses the game area.
Rect bufferRect(const GameAreaPlacement& placement, const QRect& widgetRect);

// A first size for the game area on a screen of this size: the largest whole factor that
// leaves room for the window's frame, menu and toolbar, but never below 1.
int comfortableFactor(QSize availableScreen, int chromeHeight);

} // namespace kelvaro
