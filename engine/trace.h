// Following a line through the segment codes of one layer.
#pragma once

#include "engine/board.h"

namespace kelvaro {

// Why one trace step ended.
enum TraceStop : int {
    traceEndpoint = 1,
    traceEmpty = -1,
    traceBadDirection = -2,
    traceNotJoined = -3,
    traceAlreadyMarked = -4,
    traceOffBoard = -5,
};

// The cells one trace reached (storage indices), each listed once, in the order first marked.
// Lets the checker visit only a line's own cells instead of sweeping the board per line.
struct TracePath {
    std::array<std::uint8_t, layerCells> cells{};
    int count = 0;
};

// Follows the line out of (x, y) in direction d, marking cells in traceMarks.
int traceStep(Board& board, int x, int y, int d, int layer);

// Clears traceMarks, marks the whole line through (x, y) and returns its length.
int traceLine(Board& board, int layer, int x, int y);

// traceLine into caller-owned marks, which must be all zero on entry; every cell it marks is
// appended to `path` (count reset first). Returns the same length as traceLine.
int traceLineInto(const Board& board, int layer, int x, int y, Layer& marks, TracePath& path);

// The layer a trace or check of `layer` reads: solution for 0, grid otherwise.
const Layer& tracedCodes(const Board& board, int layer);

} // namespace kelvaro
