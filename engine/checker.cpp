#include "engine/checker.h"

#include "engine/trace.h"

namespace kelvaro {

namespace {

// Per-cell counters stay far below this, but a byte must never wrap on a hand-made board.
void bump(Layer& layer, int i) {
    if (layer[i] < 127) ++layer[i];
}

// Lengths are stored in signed bytes; a longer line cannot be recorded faithfully.
constexpr int longestStoredLength = 127;

Layer& lengthsOf(Board& board, int layer) {
    return layer == solutionLayer ? board.solutionLength : board.gridLength;
}

Layer& ownersOf(Board& board, int layer) {
    return layer == solutionLayer ? board.solutionOwner : board.gridOwner;
}

// Number of neighbours of on-board (x, y) that are segment cells of `codes` pointing back at it.
int linksInto(const Layer& codes, int n, int x, int y) {
    int links = 0;
    for (int k = dirUp; k <= dirLeft; ++k) {
        const int m = neighbourIndex(n, x, y, k);
        if (m >= 0 && codeContains(codes[m], oppositeDirection(k))) ++links;
    }
    return links;
}

// Whether the segment at on-board (x, y) reaches, in direction d, an endpoint or a segment
// pointing back.
bool connectedTowards(const Layer& codes, int n, int x, int y, int d) {
    const int m = neighbourIndex(n, x, y, d);
    if (m < 0) return false;
    return codes[m] > 0 || codeContains(codes[m], oppositeDirection(d));
}

// checkGrid, also giving each cell the symbol of the line that covers it when `owners` is set.
// The lines traced are exactly those computeOwners traces, in the same order: a cell is visited
// exactly when an earlier trace gave it an owner.
int checkLayer(Board& board, int layer, Layer* owners) {
    // Works on its own marks rather than traceMarks, so what the painter shows stays untouched.
    const Layer& codes = tracedCodes(board, layer);
    Layer& lengths = lengthsOf(board, layer);
    clearLayer(board.errors);
    Layer visited{};
    Layer marks{};
    TracePath path;
    // How many traces started from each symbol. Counted per symbol instead of listed, so there is
    // no list to overflow however many endpoints an imperfect board holds.
    int tracesOf[128] = {};
    int problems = 0;
    const int n = boardSide(board);

    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const int i = x * storageSide + y;
            const int v = codes[i];
            if (v == 0) {
                ++problems;
                continue;
            }
            if (v < 0) {
                const int units = (-v) % 10;
                const int tens = (-v) / 10;
                if (!connectedTowards(codes, n, x, y, units) ||
                    !connectedTowards(codes, n, x, y, tens))
                    bump(board.errors, i);
                continue;
            }
            if (visited[i] == 0) {
                int length = traceLineInto(board, layer, x, y, marks, path);
                if (length > longestStoredLength) {
                    ++problems;
                    bump(board.errors, i);
                    length = longestStoredLength;
                }
                lengths[i] = static_cast<std::int8_t>(length);
                int ends = 0;
                for (int c = 0; c < path.count; ++c) {
                    const int m = path.cells[c];
                    marks[m] = 0;
                    bump(visited, m);
                    if (owners != nullptr) (*owners)[m] = static_cast<std::int8_t>(v);
                    if (codes[m] <= 0) continue;
                    ++ends;
                    lengths[m] = static_cast<std::int8_t>(length);
                    if (codes[m] != v) bump(board.errors, m);
                }
                if (ends != 2) {
                    ++problems;
                    bump(board.errors, i);
                }
                ++tracesOf[v];
            }
            // Only 1..19 are symbols. A board left by attempts that all failed on the line
            // count can hold more numbers; reporting them keeps that failure from passing as
            // a puzzle whose symbols have no picture.
            if (v > maxSymbol) bump(board.errors, i);
            if (linksInto(codes, n, x, y) != 1) {
                bump(board.errors, i);
                ++problems;
            }
        }
    }

    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (visited[x * storageSide + y] == 0) bump(board.errors, x * storageSide + y);

    // A symbol traced from t separate lines forms t (t - 1) / 2 pairs of clashing entries.
    for (const int t : tracesOf) problems += t * (t - 1) / 2;

    if (layer != solutionLayer) {
        for (int x = 0; x < n; ++x) {
            for (int y = 0; y < n; ++y) {
                const int i = x * storageSide + y;
                if (board.grid[i] > 0 && board.gridLength[i] != board.solutionLength[i])
                    bump(board.errors, i);
            }
        }
    }

    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) problems += board.errors[x * storageSide + y] != 0 ? 1 : 0;
    return problems;
}

} // namespace

int checkGrid(Board& board, int layer) {
    return checkLayer(board, layer, nullptr);
}

void computeOwners(Board& board, int layer) {
    const Layer& codes = tracedCodes(board, layer);
    Layer& owners = ownersOf(board, layer);
    clearLayer(owners);
    Layer marks{};
    TracePath path;
    const int n = boardSide(board);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const int i = x * storageSide + y;
            if (codes[i] <= 0 || owners[i] != 0) continue;
            traceLineInto(board, layer, x, y, marks, path);
            for (int c = 0; c < path.count; ++c) {
                marks[path.cells[c]] = 0;
                owners[path.cells[c]] = codes[i];
            }
        }
    }
}

namespace {

int differingOwners(const Board& board) {
    int differences = 0;
    const int n = boardSide(board);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const int i = x * storageSide + y;
            differences += board.gridOwner[i] != board.solutionOwner[i] ? 1 : 0;
        }
    return differences;
}

} // namespace

int countOwnerDifferences(Board& board) {
    computeOwners(board, gridLayer);
    return differingOwners(board);
}

int testSolved(Board& board) {
    // One pass of traces serves both the check and the owners; this runs after every stroke.
    Layer owners{};
    if (checkLayer(board, gridLayer, &owners) != 0) return 1;
    board.gridOwner = owners;
    return differingOwners(board) != 0 ? -1 : 0;
}

} // namespace kelvaro
