// Screen geometry of the 240-pixel-wide game area.
#pragma once

#include <cstdint>

#include "engine/board.h"
#include "model/game_state.h"

namespace kelvaro {

struct Rect {
    int left, top, right, bottom; // right and bottom exclusive
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
};

struct Point {
    int x, y;
};

constexpr int screenWidth = 240;
constexpr int bufferHeight = 270; // the client area the 12 x 12 board needs
constexpr int cellPixels = 20;
constexpr int statusStripHeight = 30;

constexpr Rect bestTimeRect{0, 0, 120, 15};
constexpr Rect clockRect{120, 0, 240, 15};
constexpr Rect penaltyRect{90, 15, 240, 30};
constexpr Rect statusRect{0, 15, 240, 55};
constexpr Rect starFieldRect{0, 80, 240, 180};
constexpr Rect pictureRect{80, 200, 180, 220};
constexpr Rect statusStripRect{0, 0, 240, statusStripHeight};

constexpr Point vanishingPoint{85, 110};
constexpr Point ringCentre{85, 114};
constexpr Point cameraPoint{20000, 20000};

// Centres the board horizontally and puts it 30 pixels below its left margin.
inline void placeBoard(GameState& state, const Board& board) {
    state.boardLeft = static_cast<std::int16_t>(((12 - board.boardSize) * cellPixels) / 2);
    state.boardTop = static_cast<std::int16_t>(state.boardLeft + 30);
}

} // namespace kelvaro
