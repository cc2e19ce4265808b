#include "engine/trace.h"

namespace kelvaro {

namespace {

// Marks only ever mean zero against non-zero; saturating keeps a cell reached over and over
// (traceStep called repeatedly without clearing) from wrapping back to zero.
void bumpMark(Layer& marks, TracePath* path, int i) {
    if (marks[i] == 0 && path != nullptr) path->cells[path->count++] = static_cast<std::uint8_t>(i);
    if (marks[i] < 127) ++marks[i];
}

// (x, y) is within 16-bit range (callers reduce it), so plain bounds tests agree with inBoard.
int followLine(const Board& board, const Layer& codes, Layer& marks, TracePath* path, int x, int y,
               int d) {
    const unsigned n = static_cast<unsigned>(boardSide(board));
    // Every pass either stops or marks a fresh cell, so this ends within n * n steps.
    for (;;) {
        if (d < dirUp || d > dirLeft) return traceBadDirection;
        stepCell(d, x, y);
        if (static_cast<unsigned>(x) >= n || static_cast<unsigned>(y) >= n) return traceOffBoard;
        const int i = x * storageSide + y;
        const int v = codes[i];
        if (v > 0) {
            bumpMark(marks, path, i);
            return traceEndpoint;
        }
        if (v == 0) return traceEmpty;
        const int next = otherDirection(v, oppositeDirection(d));
        if (next == 0) return traceNotJoined;
        if (marks[i] != 0) return traceAlreadyMarked;
        bumpMark(marks, path, i);
        d = next;
    }
}

} // namespace

const Layer& tracedCodes(const Board& board, int layer) {
    return layer == solutionLayer ? board.solution : board.grid;
}

int traceStep(Board& board, int x, int y, int d, int layer) {
    // Coordinates are reduced like inBoard does, so stepping from them can never overflow.
    return followLine(board, tracedCodes(board, layer), board.traceMarks, nullptr,
                      static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), d);
}

int traceLineInto(const Board& board, int layer, int x, int y, Layer& marks, TracePath& path) {
    path.count = 0;
    x = static_cast<std::int16_t>(x);
    y = static_cast<std::int16_t>(y);
    const Layer& codes = tracedCodes(board, layer);
    const int start = boardIndex(board, x, y);
    if (start < 0) return 0;
    const int v = codes[start];
    if (v == 0) return 0;
    if (v < 0) {
        followLine(board, codes, marks, &path, x, y, (-v) / 10);
        followLine(board, codes, marks, &path, x, y, (-v) % 10);
    } else {
        for (int k = dirUp; k <= dirLeft; ++k) {
            int nx = x, ny = y;
            stepCell(k, nx, ny);
            const int n = boardIndex(board, nx, ny);
            if (n < 0 || !codeContains(codes[n], oppositeDirection(k))) continue;
            followLine(board, codes, marks, &path, nx, ny,
                       otherDirection(codes[n], oppositeDirection(k)));
            bumpMark(marks, &path, n);
        }
    }
    bumpMark(marks, &path, start);
    // The count reads solution whichever layer was traced: the game keeps grid's endpoints
    // equal to solution's, so this is the segment count of the traced line in both.
    int length = 0;
    for (int c = 0; c < path.count; ++c) length += board.solution[path.cells[c]] < 0 ? 1 : 0;
    return length;
}

int traceLine(Board& board, int layer, int x, int y) {
    clearLayer(board.traceMarks);
    TracePath path;
    return traceLineInto(board, layer, x, y, board.traceMarks, path);
}

} // namespace kelvaro
