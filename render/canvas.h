// Drawing operations on a 32-bit image (QImage::Format_RGB32), shared by the board painter,
// the splash and anything else that composes a frame. Everything is clipped to the target
// image, and reads from a picture are clipped to the picture: no operation ever touches a
// pixel outside either. A null picture draws as an empty one. Colours are 0x00BBGGRR.
#pragma once

#include "model/layout.h"
#include "store/settings.h"

#include <QImage>
#include <span>

namespace kelvaro {

// A block of a picture: w x h pixels whose top-left is (sx, sy) in the picture, drawn with
// its top-left at (x, y) in the target.
struct Block {
    int sx, sy, w, h, x, y;
};

// Sets every pixel of area to colour.
void fillRect(QImage& target, const Rect& area, Colour colour);

// Sets one pixel.
void plotPixel(QImage& target, int x, int y, Colour colour);

// Copies the block unchanged. Parts of the block outside the picture are not drawn.
void copyTile(QImage& target, const QImage& picture, const Block& block);

// Copies the block of a black-and-white picture: its black pixels become ink and its white
// pixels paper. Parts of the block outside the picture take paper too, so a block wider than
// its picture ends in paper.
void copyTwoColour(QImage& target, const QImage& picture, const Block& block, Colour ink,
                   Colour paper);

// Paints the white pixels of an 18 x 18 block of the glyph atlas, whose top-left is (sx, sy),
// at (x, y) in colour; every other pixel of the target keeps its value.
void drawGlyph(QImage& target, const QImage& atlas, int sx, int sy, int x, int y, Colour colour);

// Replaces red, green and blue of each pixel of area by 255 minus itself.
void invertRect(QImage& target, const Rect& area);

// Joins consecutive points with 1-pixel lines; each line includes its first point and
// excludes its last, so a list of one point draws nothing.
void drawPolyline(QImage& target, std::span<const Point> points, Colour colour);

// Fills the closed polygon by the even-odd rule with texture repeated from the image origin
// (texture pixel (x mod width, y mod height) at (x, y)), then outlines it in colour,
// including the edge from the last point back to the first. A pixel is inside when its
// centre is. A null texture leaves the inside unchanged.
void fillTexturedPolygon(QImage& target, std::span<const Point> points, const QImage& texture,
                         Colour outline);

// Scales the whole picture to w x h at (x, y) (nearest pixel) and ORs each colour component
// into the target.
void stretchAdd(QImage& target, const QImage& picture, int x, int y, int w, int h);

} // namespace kelvaro
