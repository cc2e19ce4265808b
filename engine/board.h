// The puzzle board: nine parallel layers of 12 x 12 signed bytes.
#pragma once

#include <array>
#include <cstdint>

namespace kelvaro {

constexpr int storageSide = 12;
constexpr int layerCells = storageSide * storageSide; // 144

// Cell (x, y) lives at index x * 12 + y: column by column, whatever the board size.
using Layer = std::array<std::int8_t, layerCells>;

// CellCode: 0 empty, 1..19 endpoint with that symbol, negative a SegmentCode.
constexpr int maxSymbol = 19; // endpoints carry symbols 1 .. maxSymbol
// Direction: 1 up, 2 right, 3 down, 4 left.
enum Direction : int { dirUp = 1, dirRight = 2, dirDown = 3, dirLeft = 4 };

// Which layer a trace or a check reads: 0 solution, anything else grid.
enum TracedLayer : int { solutionLayer = 0, gridLayer = 1 };

struct Board {
    std::int16_t boardSize = 0; // n: 5, 8 or 12; only the top-left n x n cells are in use
    Layer solution{};
    Layer solutionOwner{};
    Layer solutionLength{};
    Layer grid{};
    Layer gridOwner{};
    Layer gridLength{};
    Layer errors{};
    Layer revealed{};
    Layer traceMarks{};
};

// A cell as callers keep it: signed bytes, -1 meaning "no cell".
struct Cell {
    std::int8_t x = -1;
    std::int8_t y = -1;
};

// The side every loop over the board uses: boardSize kept within the 12 x 12 storage, so a
// stray size can never make a loop index outside a layer.
int boardSide(const Board& board);

// 1 when 0 <= x < n and 0 <= y < n (each coordinate first reduced to 16 bits), else 0.
int inBoard(const Board& board, int x, int y);

// Storage index of (x, y), or -1 when the cell lies outside the 12 x 12 storage.
int cellIndex(int x, int y);

// Storage index of (x, y) when inBoard, else -1; the only safe way from any coordinates to a byte.
int boardIndex(const Board& board, int x, int y);

// Reads a layer at (x, y); any cell outside the board reads as 0 (empty).
std::int8_t cellAt(const Board& board, const Layer& layer, int x, int y);

// Writes a layer at (x, y); writes outside the board are dropped.
void setCell(const Board& board, Layer& layer, int x, int y, std::int8_t value);

// Clears all 144 bytes of a layer.
void clearLayer(Layer& layer);

// The neighbour of (x, y) one step in direction d (1..4); other d leave the cell unchanged.
void stepCell(int d, int& x, int& y);

// Direction d + 2 for d = 1, 2 and d - 2 for d = 3, 4.
int oppositeDirection(int d);

// Segment code for cell M joined to P and Q; 0 when P == Q or either is not in M's row or column.
std::int8_t segmentCodeFor(int px, int py, int mx, int my, int qx, int qy);

// True when c is a segment code and either of its digits equals d.
bool codeContains(int c, int d);

// The direction a line leaves segment code c by when it entered from direction `back`; 0 when c
// does not point at `back` (or is not a segment code).
int otherDirection(int c, int back);

// The segment code that keeps the remaining link of `old` (c if old holds c, else d) and adds a.
std::int8_t redirectCode(int a, int old, int c, int d);

// True when P and Q are orthogonal neighbours, both segment cells of `solution`, pointing at each
// other.
bool cellsJoined(const Board& board, int px, int py, int qx, int qy);

// The helpers below run on every step of every trace and check; defined here so they inline.

inline int boardSide(const Board& board) {
    return board.boardSize < 0 ? 0 : board.boardSize > storageSide ? storageSide : board.boardSize;
}

inline int inBoard(const Board& board, int x, int y) {
    const int sx = static_cast<std::int16_t>(x);
    const int sy = static_cast<std::int16_t>(y);
    const int n = boardSide(board);
    return sx >= 0 && sx < n && sy >= 0 && sy < n ? 1 : 0;
}

inline int boardIndex(const Board& board, int x, int y) {
    if (!inBoard(board, x, y)) return -1;
    return static_cast<std::int16_t>(x) * storageSide + static_cast<std::int16_t>(y);
}

inline std::int8_t cellAt(const Board& board, const Layer& layer, int x, int y) {
    const int i = boardIndex(board, x, y);
    return i < 0 ? std::int8_t{0} : layer[i];
}

inline void stepCell(int d, int& x, int& y) {
    switch (d) {
    case dirUp:
        --y;
        break;
    case dirRight:
        ++x;
        break;
    case dirDown:
        ++y;
        break;
    case dirLeft:
        --x;
        break;
    default:
        break;
    }
}

inline int oppositeDirection(int d) {
    if (d == dirUp || d == dirRight) return d + 2;
    if (d == dirDown || d == dirLeft) return d - 2;
    return 0;
}

// Bit d (1..4) set when the signed byte with this unsigned value is a code with digit d.
constexpr std::array<std::uint8_t, 256> directionBits = [] {
    std::array<std::uint8_t, 256> bits{};
    for (int c = -128; c < 0; ++c)
        for (int d = dirUp; d <= dirLeft; ++d)
            if ((-c) / 10 == d || (-c) % 10 == d)
                bits[static_cast<std::uint8_t>(c)] |= static_cast<std::uint8_t>(1 << d);
    return bits;
}();

inline bool codeContains(int c, int d) {
    if (c >= 0) return false;
    if (c >= -128 && d >= dirUp && d <= dirLeft)
        return (directionBits[static_cast<std::uint8_t>(c)] >> d) & 1;
    return (-c) / 10 == d || (-c) % 10 == d;
}

// Storage index of the neighbour of an on-board cell (x, y) in direction d, or -1 when that
// neighbour is off the board (or d is not a direction). Precondition: 0 <= x, y < n.
inline int neighbourIndex(int n, int x, int y, int d) {
    switch (d) {
    case dirUp:
        return y > 0 ? x * storageSide + y - 1 : -1;
    case dirRight:
        return x + 1 < n ? (x + 1) * storageSide + y : -1;
    case dirDown:
        return y + 1 < n ? x * storageSide + y + 1 : -1;
    case dirLeft:
        return x > 0 ? (x - 1) * storageSide + y : -1;
    default:
        return -1;
    }
}

inline int otherDirection(int c, int back) {
    if (c >= 0) return 0;
    const int tens = (-c) / 10;
    const int units = (-c) % 10;
    int next = 0;
    if (tens == back) next = units;
    if (units == back) next = tens;
    return next;
}

} // namespace kelvaro
