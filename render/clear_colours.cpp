#include "render/clear_colours.h"

#include "render/canvas.h"
#include "render/colour.h"
#include "render/pictures.h"
#include "render/text.h"

namespace kelvaro {

namespace {

constexpr std::uint32_t wholeRow = (1u << cellPixels) - 1;

// The frame runs three pixels in from the cell's edge, two pixels wide: the keyboard's cursor
// covers the outer three.
constexpr int frameInset = 3;
constexpr int frameWidth = 2;

// Diagonal stripes two pixels wide: the same pattern on bars and frames, at any direction.
bool stripeIsColour(int x, int y) {
    return ((x + y) / 2) % 2 == 0;
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
    for (const int direction : {digits % 10, digits / 10}) {
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
    return mask;
}

CellMask errorFrame() {
    CellMask mask{};
    const int outer0 = frameInset;
    const int outer1 = cellPixels - 1 - frameInset;
    for (int y = outer0; y <= outer1; ++y) {
        const bool band = y < outer0 + frameWidth || y > outer1 - frameWidth;
        const std::uint32_t full = ((1u << (outer1 - outer0 + 1)) - 1) << outer0;
        const std::uint32_t sides = ((1u << frameWidth) - 1) << outer0 |
                                    ((1u << frameWidth) - 1) << (outer1 - frameWidth + 1);
        mask[y] = band ? full : sides;
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

void paintStriped(QImage& target, const CellMask& shape, int left, int top, Colour colour) {
    for (int y = 0; y < cellPixels; ++y) {
        const std::uint32_t row = shape[y];
        if (row == 0) continue;
        for (int x = 0; x < cellPixels; ++x)
            if ((row >> x) & 1u)
                plotPixel(target, left + x, top + y,
                          stripeIsColour(x, y) ? colour : clearOutlineColour);
    }
}

void paintOutlined(QImage& target, const CellMask& shape, int left, int top, Colour fill) {
    paintMask(target, outlineOf(shape), left, top, clearOutlineColour);
    paintMask(target, shape, left, top, fill);
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
        if (wrong) paintStriped(target, errorFrame(), left, top, colour);
        paintOutlined(target, glyph, left, top, colour);
    } else if (code < 0 && colour != clearNormalColour) {
        const CellMask cores = barCores(code);
        paintMask(target, outlineOf(cores), left, top, clearOutlineColour);
        if (wrong) {
            paintStriped(target, cores, left, top, colour);
        } else {
            paintMask(target, cores, left, top, colour);
        }
    }
}

} // namespace kelvaro
