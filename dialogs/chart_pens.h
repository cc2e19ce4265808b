// The pens of the histogram chart: solid or dashed, one or two pixels wide. Lines run from
// their first point up to, but not including, their second, and are clipped to the image.
// Only vertical and horizontal lines are drawn.
#pragma once

#include "model/layout.h"
#include "store/settings.h"

#include <QImage>

namespace kelvaro {

struct ChartPen {
    Colour colour = 0;
    int width = 1;       // a 2-pixel pen adds the column left of (or the row above) the line
    bool dashed = false; // dashes start on the line's first point
};

constexpr int dashOn = 4;  // pixels drawn of each dash
constexpr int dashOff = 2; // pixels left between dashes

void drawChartLine(QImage& image, Point from, Point to, const ChartPen& pen);

} // namespace kelvaro
