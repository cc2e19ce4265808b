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

// The game area shown at a whole number of device pixels per buffer pixel, nearest-neighbour,
// centred. Whole device pixels keep every buffer pixel a sharp square also on a display of
// twice the density or under a scale factor, where a widget pixel is not a device pixel.
struct GameAreaPlacement {
    int factor = 1;  // device pixels per buffer pixel, across and down
    QRect target;    // the scaled game area inside the widget, in device pixels
    qreal ratio = 1; // device pixels per widget pixel
};

// The largest whole factor at which the game area fits the widget (at least 1), centred.
// widgetSize is in widget pixels, ratio the widget's device pixels per widget pixel.
GameAreaPlacement placeGameArea(QSize widgetSize, qreal ratio = 1);

// The buffer pixel under a widget position: 0..239 across and 0..269 down inside the game
// area. Outside it (the black margin, or beyond the window during a drag) a coordinate is -1
// before the area and 240 or 270 after it, off every board, never clamped onto its edge.
Point bufferPixel(const GameAreaPlacement& placement, QPointF widgetPos);

// The device rectangle that shows a rectangle of the buffer.
QRect deviceRect(const GameAreaPlacement& placement, const Rect& bufferRect);

// The widget rectangle that covers a rectangle of the buffer (grown to whole widget pixels).
QRect widgetRect(const GameAreaPlacement& placement, const Rect& bufferRect);

// The device rectangle that covers a widget rectangle (grown to whole device pixels).
QRect toDevice(const GameAreaPlacement& placement, const QRect& widgetRect);

// The buffer rectangle that covers a device rectangle (grown to whole buffer pixels, cut to
// the game area); empty when the device rectangle misses the game area.
Rect bufferRect(const GameAreaPlacement& placement, const QRect& deviceRect);

// The first window's factor on a screen: the largest whole factor f at which the menu bar
// and toolbar (chromeHeight) and 270 f rows fit 85% of the available height and 240 f columns
// fit 85% of the available width, the window's frame counted as nothing; never below 1. All
// in device pixels.
int comfortableFactor(QSize availableScreen, int chromeHeight);

} // namespace kelvaro
