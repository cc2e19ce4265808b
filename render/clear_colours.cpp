#include "render/clear_colours.h"

#include "render/canvas.h"
#include "render/colour.h"
#include "render/pictures.h"
#include "render/text.h"

namespace kelvaro {

namespace {

constexpr std::uint32_t wholeRow = (1u << cellPixels) - 1;

// Thin diagonal stripes, one pixel in three: the same hatching on glyphs and bars, whatever
// their direction, and still the state's colour for the most part.
bool isHatch(int x, int y) {
    return (x + y) % 3 == 2;
}

} // namespace

CellMask atlasGlyphMask(const QImage& atlas, int sx, int sy) {
    CellMask mask{};
    if (atlas.isNull()) return mask;
    for (int y = 0; y < glyphPixels; ++y) {
        const int py = sy + y;
        if (py < 0 || py >= atlas.height()) continue;
        const QRgb* row = reinterpret_cast<const QRgb*>(atlas.constScanLine(py));
        for (int x = 0; x < glyphPixels; ++x) {
            const int px = sx + x;
            // Black-and-white pictures are read by brightness, as drawGlyph reads them.
            if (px >= 0 && px < atlas.width() && qGray(row[px]) >= 128)
                mask[y + 1] |= 1u << (x + 1);
        }
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

void paintMask(QImage& target, const CellMask& shape, int left, int top, Colour colour) {
    for (int y = 0; y < cellPixels; ++y) {
        const std::uint32_t row = shape[y];
        if (row == 0) continue;
        for (int x = 0; x < cellPixels; ++x)
            if ((row >> x) & 1u) plotPixel(target, left + x, top + y, colour);
    }
}

void paintHatched(QImage& target, const CellMask& shape, int left, int top, Colour colour) {
    for (int y = 0; y < cellPixels; ++y) {
        const std::uint32_t row = shape[y];
        if (row == 0) continue;
        for (int x = 0; x < cellPixels; ++x)
            if ((row >> x) & 1u)
                plotPixel(target, left + x, top + y, isHatch(x, y) ? clearHatchColour : colour);
    }
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
