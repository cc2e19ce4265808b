#include "engine/refine.h"

#include "engine/candidates.h"
#include "engine/trace.h"

namespace kelvaro {

namespace {

std::int8_t& solutionAt(Board& board, int x, int y) {
    return board.solution[x * storageSide + y];
}

bool isSegment(const Board& board, int x, int y) {
    return cellAt(board, board.solution, x, y) < 0;
}

// Index of the first marked cell, column by column, holding `symbol` (any endpoint when symbol
// is 0); -1 when there is none.
int firstMarked(const Board& board, int symbol) {
    const int n = boardSide(board);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const int i = x * storageSide + y;
            if (board.traceMarks[i] == 0) continue;
            if (symbol == 0 ? board.solution[i] > 0 : board.solution[i] == symbol) return i;
        }
    return -1;
}

} // namespace

int fillGaps(Board& board, RandomSource& random) {
    int count = 0;
    const int n = boardSide(board);
    for (int gx = 0; gx < n; ++gx) {
        for (int gy = 0; gy < n; ++gy) {
            if (solutionAt(board, gx, gy) != 0) continue;
            bool allowed[4];
            for (int c = 0; c < 4; ++c)
                allowed[c] =
                    cellAt(board, board.solution, gx + candidateDx[c], gy + candidateDy[c]) > 0;
            const int c = pickCandidate(allowed, random);
            if (c < 0) continue;
            const int ex = gx + candidateDx[c];
            const int ey = gy + candidateDy[c];
            // E's neighbour on its own line; a generated line always has one.
            int nx = ex, ny = ey;
            bool found = false;
            for (int d = dirUp; d <= dirLeft && !found; ++d) {
                nx = ex;
                ny = ey;
                stepCell(d, nx, ny);
                found = codeContains(cellAt(board, board.solution, nx, ny), oppositeDirection(d));
            }
            if (!found) continue;
            solutionAt(board, gx, gy) = solutionAt(board, ex, ey);
            solutionAt(board, ex, ey) = segmentCodeFor(gx, gy, ex, ey, nx, ny);
            ++count;
        }
    }
    return count;
}

void addDetours(Board& board) {
    const int n = boardSide(board);
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            if (solutionAt(board, x, y) != 0) continue;
            if (inBoard(board, x, y + 1)) {
                if (solutionAt(board, x, y + 1) != 0) continue;
                // Vertical pair A = (x, y) above B = (x, y + 1): the left side first.
                if (inBoard(board, x - 1, y) && isSegment(board, x - 1, y) &&
                    isSegment(board, x - 1, y + 1) && cellsJoined(board, x - 1, y, x - 1, y + 1)) {
                    solutionAt(board, x, y) = -34;
                    solutionAt(board, x, y + 1) = -14;
                    std::int8_t& upper = solutionAt(board, x - 1, y);
                    std::int8_t& lower = solutionAt(board, x - 1, y + 1);
                    upper = redirectCode(dirRight, upper, dirUp, dirLeft);
                    lower = redirectCode(dirRight, lower, dirDown, dirLeft);
                } else if (inBoard(board, x + 1, y) && isSegment(board, x + 1, y) &&
                           isSegment(board, x + 1, y + 1) &&
                           cellsJoined(board, x + 1, y, x + 1, y + 1)) {
                    solutionAt(board, x, y) = -23;
                    solutionAt(board, x, y + 1) = -12;
                    std::int8_t& upper = solutionAt(board, x + 1, y);
                    std::int8_t& lower = solutionAt(board, x + 1, y + 1);
                    upper = redirectCode(dirLeft, upper, dirUp, dirRight);
                    lower = redirectCode(dirLeft, lower, dirDown, dirRight);
                }
                continue;
            }
            // A is in the bottom row: a horizontal pair with B to its right, joined from above.
            if (!inBoard(board, x + 1, y) || solutionAt(board, x + 1, y) != 0) continue;
            if (inBoard(board, x, y - 1) && isSegment(board, x, y - 1) &&
                isSegment(board, x + 1, y - 1) && cellsJoined(board, x, y - 1, x + 1, y - 1)) {
                solutionAt(board, x, y) = -12;
                solutionAt(board, x + 1, y) = -14;
                std::int8_t& left = solutionAt(board, x, y - 1);
                std::int8_t& right = solutionAt(board, x + 1, y - 1);
                left = redirectCode(dirDown, left, dirUp, dirLeft);
                right = redirectCode(dirDown, right, dirUp, dirRight);
            }
        }
    }
}

int splitAtCorner(Board& board, RandomSource& random, std::int8_t& k) {
    // A new line needs a number a byte can hold; never reached by generated boards.
    if (k >= 127) return 0;
    constexpr int quadrantDx[4] = {1, 1, -1, -1};
    constexpr int quadrantDy[4] = {1, -1, 1, -1};
    const int n = boardSide(board);
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            if (solutionAt(board, x, y) != 0) continue;
            bool allowed[4];
            for (int q = 0; q < 4; ++q) {
                const int dx = quadrantDx[q], dy = quadrantDy[q];
                const int ddx = x + dx, ddy = y + dy;
                allowed[q] = false;
                if (!inBoard(board, ddx, ddy) || !isSegment(board, ddx, ddy)) continue;
                const int s = (cellsJoined(board, ddx, ddy, x, y + dy) ? 1 : 0) +
                              (cellsJoined(board, ddx, ddy, x + dx, y) ? 1 : 0);
                allowed[q] =
                    s == 2 || (s == 1 && ((inBoard(board, x + dx, y + 2 * dy) &&
                                           cellsJoined(board, ddx, ddy, x + dx, y + 2 * dy)) ||
                                          (inBoard(board, x + 2 * dx, y + dy) &&
                                           cellsJoined(board, ddx, ddy, x + 2 * dx, y + dy))));
            }
            const int q = pickCandidate(allowed, random);
            if (q < 0) continue;
            const int dx = quadrantDx[q], dy = quadrantDy[q];
            const int ddx = x + dx, ddy = y + dy;
            const bool viaV = cellsJoined(board, ddx, ddy, x, y + dy);
            const int tx = viaV ? x : x + dx;
            const int ty = viaV ? y + dy : y;
            const int towardsD = viaV ? (dx > 0 ? dirRight : dirLeft) : (dy > 0 ? dirDown : dirUp);

            traceLine(board, solutionLayer, ddx, ddy);
            const int endpoint = firstMarked(board, 0);
            // A line without an endpoint cannot be cut into two; generated lines always have one.
            if (endpoint < 0) return 0;
            const std::int8_t symbol = board.solution[endpoint];
            solutionAt(board, x, y) = symbol;

            std::int8_t& t = solutionAt(board, tx, ty);
            const int other = (-t) % 10 == towardsD ? (-t) / 10 : (-t) % 10;
            int nx = tx, ny = ty;
            stepCell(other, nx, ny);
            t = segmentCodeFor(x, y, tx, ty, nx, ny);

            traceLine(board, solutionLayer, ddx, ddy);
            const int end = firstMarked(board, symbol);
            if (end >= 0) board.solution[end] = k;
            solutionAt(board, ddx, ddy) = k;
            ++k;
            return 1;
        }
    }
    return 0;
}

} // namespace kelvaro
