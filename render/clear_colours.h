// Clear colours: the board painted so that every eye reads it, low-contrast and colour-blind
// ones included. Every glyph is a light colour inside a black outline, so it stands out on
// any tile; the four states of a line take colours that stay apart under every kind of colour
// blindness; the bars of a coloured pipe are cased in black; and the glyphs and bars of a
// line in error are hatched in white, so that an error shows without any colour at all.
#pragma once

#include "engine/board.h"
#include "model/layout.h"
#include "store/settings.h"

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>

namespace kelvaro {

// Okabe and Ito's palette for colour-blind viewers (bluish green, vermilion, yellow, sky
// blue), tuned on the real tiles: each stands at 6 : 1 or more against the black outline,
// and every two of them, and each of the last three against the silver of a plain pipe, stay
// far apart with normal sight and under protanopia, deuteranopia and tritanopia.
constexpr Colour clearNormalColour = 0x96FFC3;   // RGB(195, 255, 150)
constexpr Colour clearErrorColour = 0x693CFF;    // RGB(255, 60, 105)
constexpr Colour clearTracedColour = 0x1ED2FF;   // RGB(255, 210, 30)
constexpr Colour clearRevealedColour = 0xFF965A; // RGB(90, 150, 255)
constexpr Colour clearOutlineColour = 0x000000;
// The current line's length belongs to no state.
constexpr Colour clearLengthColour = 0xFFFFFF;
// The hatching over the glyphs and bars of a line in error.
constexpr Colour clearHatchColour = 0xFFFFFF;

inline bool clearColoursOn(const Settings& settings) {
    return settings.clearColours == 1;
}

// A shape over one cell: bit x of row y stands for the cell's pixel (x, y).
using CellMask = std::array<std::uint32_t, cellPixels>;

inline bool maskHas(const CellMask& mask, int x, int y) {
    return x >= 0 && y >= 0 && x < cellPixels && y < cellPixels && ((mask[y] >> x) & 1u) != 0;
}

// The glyph of the 18 x 18 atlas block at (sx, sy), placed as the painter draws it, one pixel
// in from the cell's corner. Pixels outside the atlas are not part of it.
CellMask atlasGlyphMask(const QImage& atlas, int sx, int sy);

// The pixels text covers when drawn into `area`, given in cell pixels.
CellMask textMask(const QString& text, const Rect& area, bool bold);

// The pixels that touch the shape, sideways or corner to corner, and are not in it.
CellMask outlineOf(const CellMask& shape);

// The cores of the bars a pipe with this segment code carries, from the centre to its edges.
CellMask barCores(int code);

// Paints the shape's pixels in colour; the cell's top-left pixel is (left, top).
void paintMask(QImage& target, const CellMask& shape, int left, int top, Colour colour);

// Paints the shape in colour, hatched with thin diagonal lines of clearHatchColour.
void paintHatched(QImage& target, const CellMask& shape, int left, int top, Colour colour);

// Paints the shape's outline black, then the shape in fill (hatched if asked): readable on
// any ground.
void paintOutlined(QImage& target, const CellMask& shape, int left, int top, Colour fill,
                   bool hatched = false);

// A cell's colour: traced over revealed over error over normal, as the player's colours go.
Colour clearCellColour(const Board& board, int x, int y);

// The marks of one cell over its tile: the outlined glyph of an endpoint, or the cased bars
// of a pipe that is not in the normal state; both hatched when in error. `glyph` is the
// endpoint's glyph; a pipe or an empty cell ignores it.
void drawClearMarks(QImage& target, const Board& board, int x, int y, int code,
                    const CellMask& glyph, int left, int top);

} // namespace kelvaro
