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

// Follows the line out of (x, y) in direction d, marking cells in traceMarks.
int traceStep(Board& board, int x, int y, int d, int layer);

// Clears traceMarks, marks the whole line through (x, y) and returns its length.
int traceLine(Board& board, int layer, int x, int y);

} // namespace kelvaro
