// A back buffer with small synthetic pictures whose pixels tell which tile or block was
// drawn, a board, a game state and a clock the test sets.
#pragma once

#include "board_text.h"
#include "gui_application.h"
#include "pixel_map.h"
#include "render/back_buffer.h"
#include "render/board_painter.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/text.h"

#include <QImage>
#include <gtest/gtest.h>
#include <map>

namespace kelvaro {

class SetClock final : public TickSource {
  public:
    std::uint32_t now = 0;
    std::uint32_t tickCount() override { return now; }
};

// Segment tile k is a plain colour, so one pixel tells which tile a cell shows.
constexpr Colour tileColour(int k) {
    return 0x402000 + 0x101010 * static_cast<Colour>(k);
}

// Glyph tile k of atlas row r has one white pixel, at a place no other tile uses.
constexpr Point glyphMarker(int k, int r) {
    return {k % 18, 9 * r + 2 * (k / 18)};
}

inline QImage makeSegmentTiles() {
    QImage tiles(140, 20, QImage::Format_RGB32);
    for (int k = 0; k < 7; ++k)
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) tiles.setPixel(20 * k + x, y, toQRgb(tileColour(k)));
    return tiles;
}

inline QImage makeGlyphAtlas() {
    QImage atlas(600, 40, QImage::Format_RGB32);
    atlas.fill(toQRgb(black));
    for (int r = 0; r < 2; ++r)
        for (int k = 0; k < 30; ++k) {
            const Point m = glyphMarker(k, r);
            atlas.setPixel(20 * k + m.x, 20 * r + m.y, toQRgb(white));
            // The separator lines along each tile's last column and row are never copied.
            for (int i = 0; i < 20; ++i) {
                atlas.setPixel(20 * k + 19, 20 * r + i, toQRgb(white));
                atlas.setPixel(20 * k + i, 20 * r + 19, toQRgb(white));
            }
        }
    return atlas;
}

// A white picture with black pixels at the given places, or the reverse.
inline QImage makeTwoColour(int w, int h, Colour ground, std::initializer_list<Point> marks) {
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(toQRgb(ground));
    for (const Point p : marks) picture.setPixel(p.x, p.y, toQRgb(ground == white ? black : white));
    return picture;
}

class PaintTest : public testing::Test {
  protected:
    void SetUp() override {
        ensureGuiApplication();
        pictures[segmentTilesId] = makeSegmentTiles();
        pictures[glyphAtlasId] = makeGlyphAtlas();
        // Drawing black on white; its corners tell where it lands.
        pictures[pausePictureId] = makeTwoColour(91, 15, white, {{0, 0}, {90, 14}});
        // Letters white on black: French in rows 0-12, English in rows 13-25.
        pictures[perfectBannerId] = makeTwoColour(65, 26, black, {{1, 0}, {2, 13}, {64, 25}});
        // French rows 0-17, English rows 19-35.
        pictures[acceptedBannerId] =
            makeTwoColour(156, 36, black, {{3, 0}, {5, 17}, {4, 19}, {6, 35}, {7, 18}});
        buffer.loadPicture = [this](int id) {
            const auto found = pictures.find(id);
            return found == pictures.end() ? QImage() : found->second;
        };
        createBackBuffer(buffer, screenWidth, bufferHeight);
        board.boardSize = 5;
        placeBoard(state, board);
    }

    Rect paint() { return onPaint(buffer, state, board, settings, statistics, clock); }

    // Top-left pixel of cell (x, y).
    Point cellOrigin(int x, int y) const {
        return {state.boardLeft + cellPixels * x, state.boardTop + cellPixels * y};
    }

    Colour pixel(int x, int y) const { return pixelAt(buffer.image, x, y); }

    // Offsets inside the cell's 20 x 20 square of the pixels that have this colour.
    std::vector<Point> cellPixelsOf(int cx, int cy, Colour colour) const {
        const Point o = cellOrigin(cx, cy);
        std::vector<Point> found;
        for (int y = 0; y < cellPixels; ++y)
            for (int x = 0; x < cellPixels; ++x)
                if (pixel(o.x + x, o.y + y) == colour) found.push_back({x, y});
        return found;
    }

    std::map<int, QImage> pictures;
    BackBuffer buffer;
    GameState state;
    Board board;
    Settings settings;
    Statistics statistics;
    SetClock clock;
};

inline bool operator==(Point a, Point b) {
    return a.x == b.x && a.y == b.y;
}
inline std::ostream& operator<<(std::ostream& out, Point p) {
    return out << "(" << p.x << ", " << p.y << ")";
}

} // namespace kelvaro
