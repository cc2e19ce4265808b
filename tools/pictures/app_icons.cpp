// The application icon: a 3 x 3 corner of a board built from the game's own tiles
// and symbols, so the icon and the game look alike.
#include "pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace kelvaro::pictures {

namespace {

constexpr int cell = 20;

struct IconCell {
    int tile;   // segment tile, 0 for none
    int symbol; // glyph of atlas row 1, 0 for none
};

// A line of two corners and a straight between two invaders, and a diamond pair.
constexpr IconCell layout[3][3] = {
    {{0, 1}, {2, 0}, {5, 0}},
    {{0, 13}, {5, 0}, {1, 0}},
    {{0, 0}, {0, 13}, {0, 1}},
};

QImage boardCorner() {
    const QImage tiles = drawSegmentTiles().convertToFormat(QImage::Format_ARGB32);
    const QImage atlas = drawGlyphAtlas();
    QImage out(3 * cell, 3 * cell, QImage::Format_ARGB32);
    QPainter p(&out);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            const IconCell& c = layout[y][x];
            p.drawImage(QPoint(x * cell, y * cell), tiles, QRect(c.tile * cell, 0, cell, cell));
            if (c.symbol == 0) continue;
            const QColor ink = c.symbol == 1 ? QColor(255, 255, 0) : QColor(0, 255, 255);
            for (int j = 0; j < 18; ++j)
                for (int i = 0; i < 18; ++i)
                    if (atlas.pixelIndex(c.symbol * cell + i, cell + j) == 1)
                        out.setPixelColor(x * cell + 1 + i, y * cell + 1 + j, ink);
        }
    return out;
}

// At 16 pixels the board's symbols turn to mush; the smallest icon keeps only the
// idea: a silver pipe bending between two bright endpoints on a mauve tile.
QImage smallIcon() {
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(80, 50, 85), 1));
    p.setBrush(QColor(153, 111, 158));
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2.5, 2.5);
    QPainterPath pipe;
    pipe.moveTo(4, 4.5);
    pipe.lineTo(11.5, 4.5);
    pipe.lineTo(11.5, 12);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 70, 80), 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(pipe);
    p.setPen(QPen(QColor(235, 235, 245), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(pipe);
    p.setPen(QPen(QColor(120, 90, 0), 1));
    p.setBrush(QColor(255, 230, 0));
    p.drawEllipse(QPointF(4, 4.5), 2.6, 2.6);
    p.drawEllipse(QPointF(11.5, 12), 2.6, 2.6);
    return icon;
}

} // namespace

QImage drawAppIcon(int size) {
    if (size <= 16)
        return smallIcon().scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage board = boardCorner();
    // Whole multiples keep the pixels crisp at the larger sizes; the small ones are
    // filtered down from the largest.
    QImage art;
    if (size >= 64)
        art =
            board.scaled(board.size() * (size / 64), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    else
        art = board.scaled(board.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                  .scaled(size * 60 / 64, size * 60 / 64, Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame((size - art.width()) / 2.0, (size - art.height()) / 2.0, art.width(),
                       art.height());
    QPainterPath rounded;
    rounded.addRoundedRect(frame, size / 12.0, size / 12.0);
    p.setClipPath(rounded);
    p.drawImage(frame.topLeft(), art);
    return icon;
}

} // namespace kelvaro::pictures
