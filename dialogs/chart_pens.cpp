#include "dialogs/chart_pens.h"

#include "render/canvas.h"

#include <array>
#include <cstdlib>

namespace kelvaro {

void drawChartLine(QImage& image, Point from, Point to, const ChartPen& pen) {
    if (pen.width == 1 && !pen.dashed) {
        const std::array<Point, 2> points{from, to};
        drawPolyline(image, points, pen.colour);
        return;
    }
    const bool vertical = from.x == to.x;
    if (!vertical && from.y != to.y) return;
    const int length = vertical ? std::abs(to.y - from.y) : std::abs(to.x - from.x);
    const int stepX = vertical ? 0 : (to.x > from.x ? 1 : -1);
    const int stepY = vertical ? (to.y > from.y ? 1 : -1) : 0;
    // The second pixel of a wide pen lies on the side of smaller coordinates, so a bar at x
    // covers x - 1 and x: the two columns of its bucket.
    const int sideX = vertical ? -1 : 0;
    const int sideY = vertical ? 0 : -1;
    for (int i = 0; i < length; ++i) {
        if (pen.dashed && i % (dashOn + dashOff) >= dashOn) continue;
        const int x = from.x + i * stepX;
        const int y = from.y + i * stepY;
        plotPixel(image, x, y, pen.colour);
        if (pen.width >= 2) plotPixel(image, x + sideX, y + sideY, pen.colour);
    }
}

} // namespace kelvaro
