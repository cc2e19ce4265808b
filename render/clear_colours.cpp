#include "render/clear_colours.h"

#include "render/canvas.h"
#include "render/colour.h"
#include "render/pictures.h"
#include "render/text.h"

#include <algorithm>

namespace kelvaro {

namespace {

constexpr std::uint32_t wholeRow = (1u << cellPixels) - 1;

// Thin diagonal stripes, one pixel in three: the same hatching on glyphs and bars, whatever
// their direction, and still the state's colour for the most part.
bool isHatch(int x, int y) {
    return (x + y) % 3 == 2;
}

} // namespace

CellMask atlasGlyphMask(const QImage& picture, int sx, int sy) {
    CellMask mask{};
    if (picture.isNull()) return mask;
    // The pixel loop reads 32-bit pixels; the bundled atlas is loaded as such.
    const bool rgb32 =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32;
    const QImage atlas = rgb32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    // Only the part of the block inside the atlas is read.
    const int width = atlas.width();
    const int height = atlas.height();
    const int x0 = std::max(0, -sx);
    const int x1 = std::min(glyphPixels, width - sx);
    const int y0 = std::max(0, -sy);
    const int y1 = std::min(glyphPixels, height - sy);
    const uchar* bits = atlas.constBits();
    const qsizetype stride = atlas.bytesPerLine();
    for (int y = y0; y < y1; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(bits + (sy + y) * stride) + sx;
        std::uint32_t line = 0;
        // Black-and-white pictures are read by brightness, as drawGlyph reads them.
        for (int x = x0; x < x1; ++x)
            if (qGray(row[x]) >= 128) line |= 1u << (x + 1);
        mask[y + 1] = line;
    }
    return mask;
}

CellMask textMask(const QString& text, const Rect& area, bool bold) {
    QImage scratch(cellPixels, cellPixels, QImage::Format_RGB32);
    scratch.fill(toQRgb(black));
    drawText(scratch, text, area, TextAlign::centre, white,
             bold ? TextWeight::bold : TextWeight::normal);
    CellMask mask{};
    for (int y = 0; y < cellPixels; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < cellPixels; ++x)
            if (fromQRgb(row[x]) != black) mask[y] |= 1u << x;
    }
    return mask;
}

CellMask outlineOf(const CellMask& shape) {
    CellMask widened{};
    for (int y = 0; y < cellPixels; ++y) {
        const std::uint32_t row = shape[y];
        widened[y] = (row | row << 1 | row >> 1) & wholeRow;
    }
    CellMask outline{};
    for (int y = 0; y < cellPixels; ++y) {
        std::uint32_t around = widened[y];
        if (y > 0) around |= widened[y - 1];
        if (y + 1 < cellPixels) around |= widened[y + 1];
        outline[y] = around & ~shape[y];
    }
    return outline;
}

CellMask barCores(int code) {
    CellMask mask{};
    const auto columns = [&mask](int x0, int x1, int y0, int y1) {
        const std::uint32_t bits = ((1u << (x1 - x0 + 1)) - 1) << x0;
        for (int y = y0; y <= y1; ++y) mask[y] |= bits;
    };
    if (code >= 0) return mask;
    // Units digit and tens digit: the two directions the line leaves by.
    const int digits = -code;
    const int first = digits % 10;
    const int second = digits / 10;
    for (const int direction : {first, second}) {
        switch (direction) {
        case dirUp:
            columns(9, 10, 0, 10);
            break;
        case dirRight:
            columns(9, 19, 9, 10);
            break;
        case dirDown:
            columns(9, 10, 9, 19);
            break;
        case dirLeft:
            columns(0, 10, 9, 10);
            break;
        default:
            break;
        }
    }
    // A turn is rounded off by one pixel at its outer corner, as the pipe's own bend is; a
    // square corner would put the casing against the pipe's dark rim there.
    const bool firstVertical = first == dirUp || first == dirDown;
    const bool secondVertical = second == dirUp || second == dirDown;
    if (first != 0 && second != 0 && firstVertical != secondVertical) {
        const int vertical = firstVertical ? first : second;
        const int horizontal = firstVertical ? second : first;
        const int cornerX = horizontal == dirRight ? 9 : 10;
        const int cornerY = vertical == dirUp ? 10 : 9;
        mask[cornerY] &= ~(1u << cornerX);
    }
    return mask;
}

namespace {

// Paints the shape's pixels that fall inside the target, each in the colour pick(x, y) gives
// for its cell pixel. Rows are reached once each, not pixel by pixel.
template <typename Pick>
void paintShape(QImage& target, const CellMask& shape, int left, int top, Pick pick) {
    if (target.isNull()) return;
    const int width = target.width();
    const int height = target.height();
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    for (int y = 0; y < cellPixels; ++y) {
        const std::uint32_t row = shape[y];
        const int ty = top + y;
        if (row == 0 || ty < 0 || ty >= height) continue;
        QRgb* line = reinterpret_cast<QRgb*>(bits + ty * stride);
        for (int x = 0; x < cellPixels; ++x) {
            const int tx = left + x;
            if (((row >> x) & 1u) != 0 && tx >= 0 && tx < width) line[tx] = pick(x, y);
        }
    }
}

} // namespace

void paintMask(QImage& target, const CellMask& shape, int left, int top, Colour colour) {
    const QRgb value = toQRgb(colour);
    paintShape(target, shape, left, top, [value](int, int) { return value; });
}

void paintHatched(QImage& target, const CellMask& shape, int left, int top, Colour colour) {
    const QRgb value = toQRgb(colour);
    const QRgb hatch = toQRgb(clearHatchColour);
    paintShape(target, shape, left, top,
               [value, hatch](int x, int y) { return isHatch(x, y) ? hatch : value; });
}

void paintOutlined(QImage& target, const CellMask& shape, int left, int top, Colour fill,
                   bool hatched) {
    paintMask(target, outlineOf(shape), left, top, clearOutlineColour);
    if (hatched) {
        paintHatched(target, shape, left, top, fill);
    } else {
        paintMask(target, shape, left, top, fill);
    }
}

Colour clearCellColour(const Board& board, int x, int y) {
    const int index = cellIndex(x, y);
    if (index < 0) return clearNormalColour;
    Colour colour = clearNormalColour;
    if (board.errors[index] != 0) colour = clearErrorColour;
    if (board.revealed[index] != 0) colour = clearRevealedColour;
    if (board.traceMarks[index] != 0) colour = clearTracedColour;
    return colour;
}

void drawClearMarks(QImage& target, const Board& board, int x, int y, int code,
                    const CellMask& glyph, int left, int top) {
    const Colour colour = clearCellColour(board, x, y);
    const bool wrong = colour == clearErrorColour;
    if (code > 0) {
        paintOutlined(target, glyph, left, top, colour, wrong);
    } else if (code < 0 && colour != clearNormalColour) {
        paintOutlined(target, barCores(code), left, top, colour, wrong);
    }
}

} // namespace kelvaro
