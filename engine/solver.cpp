#include "engine/solver.h"

#include <array>

namespace kelvaro {

namespace {

// The search works on a copy of the board with a wall all around it, so a neighbour is always
// one fixed offset away and never needs a bounds test.
constexpr int side = storageSide + 2;
constexpr int paddedCells = side * side;
constexpr int maxLines = maxSymbol;
constexpr int offsets[4] = {-1, side, 1, -side}; // up, right, down, left

constexpr std::int8_t wallCell = -2;
constexpr std::int8_t freeCell = -1;

constexpr std::array<std::int8_t, paddedCells> columnOf = [] {
    std::array<std::int8_t, paddedCells> table{};
    for (int p = 0; p < paddedCells; ++p) table[p] = static_cast<std::int8_t>(p / side);
    return table;
}();
constexpr std::array<std::int8_t, paddedCells> rowOf = [] {
    std::array<std::int8_t, paddedCells> table{};
    for (int p = 0; p < paddedCells; ++p) table[p] = static_cast<std::int8_t>(p % side);
    return table;
}();

inline int distance(int p, int q) {
    const int dx = columnOf[p] - columnOf[q];
    const int dy = rowOf[p] - rowOf[q];
    return (dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy);
}

// Checkerboard colour: every step of a line changes it.
inline int colourOf(int p) {
    return (columnOf[p] + rowOf[p]) & 1;
}

// Which of the four offsets leads from p to its neighbour q.
inline int directionIndex(int p, int q) {
    const int d = q - p;
    return d == -1 ? 0 : d == side ? 1 : d == 1 ? 2 : 3;
}

inline int paddedIndex(int x, int y) {
    return (x + 1) * side + y + 1;
}

// One cell added to a line at one of its two growing ends.
struct Move {
    std::int8_t line;
    std::int8_t end;
    std::int16_t from;
    std::int16_t to;
};

// A choice point: the cells one end may grow into, tried in order.
struct Branch {
    std::int16_t trailSize;
    std::int8_t line;
    std::int8_t end;
    std::int8_t count;
    std::int8_t next;
    std::int16_t cells[4];
};

enum class Verdict { dead, solved, forced, branch };

struct Decision {
    Verdict verdict = Verdict::dead;
    int line = 0;
    int end = 0;
    int count = 0;
    std::int16_t cells[4] = {};
};

// Free regions found by one analysis. A board of 144 cells has at most 72 regions.
constexpr int maxRegions = layerCells / 2 + 1;

struct Search {
    int n = 0;
    int lineCount = 0;
    // freeCell, wallCell, or the line that holds the cell.
    std::array<std::int8_t, paddedCells> owner{};
    // 0, or 1 + 2 * line + end for the cell where that end of an unfinished line now stands.
    std::array<std::int8_t, paddedCells> endAt{};
    std::int16_t ends[maxLines][2] = {};
    // Cells each line still has to take; 0 once the line is complete.
    std::int16_t left[maxLines] = {};
    // Bit k (0 up, 1 right, 2 down, 3 left) when the solution layer links the cell that way.
    std::array<std::uint8_t, paddedCells> guide{};

    Move trail[layerCells] = {};
    int trailSize = 0;
    Branch branches[layerCells] = {};
    int depth = 0;

    // Scratch of one analysis.
    std::array<std::uint8_t, paddedCells> region{};
    std::int16_t queue[layerCells] = {};
    std::int16_t regionSize[maxRegions + 1] = {};
    std::int16_t regionBalance[maxRegions + 1] = {};
    std::int16_t regionNeed[maxRegions + 1] = {};
    std::int16_t regionMay[maxRegions + 1] = {};
    std::int16_t regionLineBalance[maxRegions + 1] = {};
    std::uint8_t lineRegions[maxLines][4] = {};
    std::int8_t lineRegionCount[maxLines] = {};
};

void place(Search& s, int line, int end, int cell) {
    const int from = s.ends[line][end];
    s.trail[s.trailSize++] = Move{static_cast<std::int8_t>(line), static_cast<std::int8_t>(end),
                                  static_cast<std::int16_t>(from), static_cast<std::int16_t>(cell)};
    s.owner[cell] = static_cast<std::int8_t>(line);
    s.endAt[from] = 0;
    s.ends[line][end] = static_cast<std::int16_t>(cell);
    --s.left[line];
    if (s.left[line] > 0) {
        s.endAt[cell] = static_cast<std::int8_t>(1 + 2 * line + end);
    } else {
        // Complete: the two ends now touch (the distance rule guarantees it) and stop growing.
        s.endAt[s.ends[line][1 - end]] = 0;
    }
}

void undoTo(Search& s, int trailSize) {
    while (s.trailSize > trailSize) {
        const Move m = s.trail[--s.trailSize];
        if (s.left[m.line] == 0)
            s.endAt[s.ends[m.line][1 - m.end]] = static_cast<std::int8_t>(2 + 2 * m.line - m.end);
        s.owner[m.to] = freeCell;
        s.endAt[m.to] = 0;
        s.endAt[m.from] = static_cast<std::int8_t>(1 + 2 * m.line + m.end);
        s.ends[m.line][m.end] = m.from;
        ++s.left[m.line];
    }
}

// Whether the end of `line` standing next to free cell p may grow into it: the line must still be
// able to reach its other end from p with the cells it has left.
inline bool mayEnter(const Search& s, int line, int end, int p) {
    return distance(p, s.ends[line][1 - end]) <= s.left[line];
}

// Whether `line` may fill region r and can pass through its cell p on the way between its ends.
inline bool reaches(const Search& s, int line, std::uint8_t r, int p) {
    bool mayUse = false;
    for (int i = 0; i < s.lineRegionCount[line]; ++i)
        mayUse = mayUse || s.lineRegions[line][i] == r;
    return mayUse &&
           distance(s.ends[line][0], p) + distance(p, s.ends[line][1]) <= s.left[line] + 1;
}

// Looks at the whole position: a contradiction, a solution, a move every solution makes, or the
// end with the fewest ways to grow.
Decision analyse(Search& s) {
    Decision best;
    best.verdict = Verdict::solved;
    int bestSlack = 0;

    // Every growing end needs a cell to grow into; an end with one choice must take it.
    for (int line = 0; line < s.lineCount; ++line) {
        const int left = s.left[line];
        if (left == 0) continue;
        for (int end = 0; end < 2; ++end) {
            const int at = s.ends[line][end];
            const int other = s.ends[line][1 - end];
            std::int16_t cells[4];
            int count = 0;
            for (const int offset : offsets) {
                const int p = at + offset;
                if (s.owner[p] == freeCell && distance(p, other) <= left)
                    cells[count++] = static_cast<std::int16_t>(p);
            }
            if (count == 0) return Decision{};
            // The solution layer's own way first: the answer is the same in any order, but
            // a puzzle with another solution is then found out near the one it was made with.
            for (int i = 1; i < count; ++i) {
                const int k = directionIndex(at, cells[i]);
                if ((s.guide[at] >> k) & 1) {
                    const std::int16_t t = cells[i];
                    cells[i] = cells[0];
                    cells[0] = t;
                }
            }
            const int slack = left + 1 - distance(at, other);
            if (best.verdict == Verdict::solved || count < best.count ||
                (count == best.count && slack < bestSlack)) {
                best.verdict = count == 1 ? Verdict::forced : Verdict::branch;
                best.line = line;
                best.end = end;
                best.count = count;
                for (int i = 0; i < count; ++i) best.cells[i] = cells[i];
                bestSlack = slack;
            }
            if (count == 1) return best;
        }
    }
    if (best.verdict == Verdict::solved) return best;

    // Every free cell will be an inner cell of some line, linked to two of its neighbours: each
    // one free or a growing end that may enter it. Fewer than two is a contradiction; exactly two,
    // one of them an end, is a forced move. Free cells are grouped into regions on the way.
    s.region.fill(0);
    int regions = 0;
    for (int x = 0; x < s.n; ++x) {
        for (int y = 0; y < s.n; ++y) {
            const int start = paddedIndex(x, y);
            if (s.owner[start] != freeCell || s.region[start] != 0) continue;
            ++regions;
            s.regionSize[regions] = 0;
            s.regionBalance[regions] = 0;
            s.regionNeed[regions] = 0;
            s.regionMay[regions] = 0;
            s.regionLineBalance[regions] = 0;
            int head = 0, tail = 0;
            s.queue[tail++] = static_cast<std::int16_t>(start);
            s.region[start] = static_cast<std::uint8_t>(regions);
            while (head < tail) {
                const int p = s.queue[head++];
                int links = 0;
                int endsSeen = 0;
                int endCode[2] = {0, 0};
                for (const int offset : offsets) {
                    const int q = p + offset;
                    if (s.owner[q] == freeCell) {
                        ++links;
                        if (s.region[q] == 0) {
                            s.region[q] = static_cast<std::uint8_t>(regions);
                            s.queue[tail++] = static_cast<std::int16_t>(q);
                        }
                    } else if (s.endAt[q] != 0) {
                        const int code = s.endAt[q] - 1;
                        if (mayEnter(s, code >> 1, code & 1, p)) {
                            ++links;
                            if (endsSeen < 2) endCode[endsSeen] = code;
                            ++endsSeen;
                        }
                    }
                }
                if (links < 2) return Decision{};
                if (links == 2 && endsSeen > 0) {
                    const int line = endCode[0] >> 1;
                    if (endsSeen == 2 && ((endCode[1] >> 1) != line || s.left[line] != 1))
                        return Decision{};
                    Decision forced;
                    forced.verdict = Verdict::forced;
                    forced.line = line;
                    forced.end = endCode[0] & 1;
                    forced.count = 1;
                    forced.cells[0] = static_cast<std::int16_t>(p);
                    return forced;
                }
                ++s.regionSize[regions];
                s.regionBalance[regions] += colourOf(p) ? 1 : -1;
            }
        }
    }

    // Each unfinished line fills its remaining cells inside one region that touches both its ends.
    // The lines that can only use a region must fit in it, the lines that may use it must be able
    // to fill it, and when the region is theirs alone its two colours must come out even.
    for (int line = 0; line < s.lineCount; ++line) {
        const int left = s.left[line];
        s.lineRegionCount[line] = 0;
        if (left == 0) continue;
        const int a = s.ends[line][0];
        const int b = s.ends[line][1];
        std::uint8_t nearA[4];
        int countA = 0;
        for (const int offset : offsets) {
            const int p = a + offset;
            if (s.owner[p] == freeCell && distance(p, b) <= left) {
                const std::uint8_t r = s.region[p];
                bool seen = false;
                for (int i = 0; i < countA; ++i) seen = seen || nearA[i] == r;
                if (!seen) nearA[countA++] = r;
            }
        }
        int count = 0;
        for (int i = 0; i < countA; ++i) {
            bool touchesB = false;
            for (const int offset : offsets) {
                const int p = b + offset;
                touchesB = touchesB || (s.owner[p] == freeCell && s.region[p] == nearA[i] &&
                                        distance(p, a) <= left);
            }
            if (touchesB) s.lineRegions[line][count++] = nearA[i];
        }
        if (count == 0) return Decision{};
        s.lineRegionCount[line] = static_cast<std::int8_t>(count);
        if (count == 1) {
            const int r = s.lineRegions[line][0];
            s.regionNeed[r] = static_cast<std::int16_t>(s.regionNeed[r] + left);
            // The inner cells alternate colours, starting with the colour opposite the end.
            if (left & 1) s.regionLineBalance[r] += colourOf(a) ? -1 : 1;
        } else {
            for (int i = 0; i < count; ++i) {
                const int r = s.lineRegions[line][i];
                s.regionMay[r] = static_cast<std::int16_t>(s.regionMay[r] + left);
            }
        }
    }
    for (int r = 1; r <= regions; ++r) {
        if (s.regionNeed[r] > s.regionSize[r]) return Decision{};
        if (s.regionNeed[r] + s.regionMay[r] < s.regionSize[r]) return Decision{};
        if (s.regionMay[r] == 0 && s.regionLineBalance[r] != s.regionBalance[r]) return Decision{};
    }

    // Every free cell must lie within reach of a line that may fill its region. Neighbouring
    // cells are mostly reached by the same line, so the last one that reached a cell goes first.
    int lastLine = 0;
    for (int x = 0; x < s.n; ++x) {
        for (int y = 0; y < s.n; ++y) {
            const int p = paddedIndex(x, y);
            if (s.owner[p] != freeCell) continue;
            const std::uint8_t r = s.region[p];
            bool reached = false;
            for (int i = 0; i < s.lineCount && !reached; ++i) {
                const int line = i == 0 ? lastLine : i <= lastLine ? i - 1 : i;
                reached = reaches(s, line, r, p);
                if (reached) lastLine = line;
            }
            if (!reached) return Decision{};
        }
    }
    return best;
}

// The endpoints of a puzzle as the player sees them: where each one sits and the length it shows.
struct Endpoints {
    int count = 0;
    std::int16_t at[2 * maxSymbol] = {};    // storage index
    std::int8_t symbol[2 * maxSymbol] = {}; // known to the program, hidden from the player
    std::int16_t length[2 * maxSymbol] = {};
    int freeCells = 0;
};

// False for a board that is no puzzle at all: a symbol code out of range, or more endpoints
// than the symbols allow.
bool readEndpoints(const Board& board, Endpoints& ends) {
    const int n = boardSide(board);
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const int i = x * storageSide + y;
            const int v = board.solution[i];
            if (v <= 0) {
                ++ends.freeCells;
                continue;
            }
            if (v > maxSymbol || ends.count == 2 * maxSymbol) return false;
            ends.at[ends.count] = static_cast<std::int16_t>(i);
            ends.symbol[ends.count] = static_cast<std::int8_t>(v);
            ends.length[ends.count] = board.solutionLength[i];
            ++ends.count;
        }
    }
    return true;
}

// Sets up the search for one pairing of the endpoints (`pairs` holds `lineCount` pairs of
// endpoint numbers); false when that pairing cannot have a solution at all.
bool load(const Board& board, const Endpoints& ends, const std::int8_t (*pairs)[2], int lineCount,
          Search& s) {
    s.n = boardSide(board);
    s.lineCount = 0;
    s.owner.fill(wallCell);
    s.endAt.fill(0);
    s.guide.fill(0);
    for (int x = 0; x < s.n; ++x) {
        for (int y = 0; y < s.n; ++y) {
            const int v = board.solution[x * storageSide + y];
            const int p = paddedIndex(x, y);
            s.owner[p] = freeCell;
            if (v > 0) continue;
            for (int k = 0; k < 4; ++k) {
                if (!codeContains(v, k + 1) ||
                    !inBoard(board, x + (k == 1) - (k == 3), y + (k == 2) - (k == 0)))
                    continue;
                s.guide[p] |= static_cast<std::uint8_t>(1 << k);
                s.guide[p + offsets[k]] |= static_cast<std::uint8_t>(1 << ((k + 2) & 3));
            }
        }
    }
    int cellsNeeded = 0;
    for (int i = 0; i < lineCount; ++i) {
        const int first = ends.at[pairs[i][0]];
        const int second = ends.at[pairs[i][1]];
        const int length = ends.length[pairs[i][0]];
        if (length < 1 || length != ends.length[pairs[i][1]]) return false;
        const int line = s.lineCount++;
        const int a = paddedIndex(first / storageSide, first % storageSide);
        const int b = paddedIndex(second / storageSide, second % storageSide);
        const int span = distance(a, b);
        if (span > length + 1 || (length + 1 - span) % 2 != 0) return false;
        s.owner[a] = static_cast<std::int8_t>(line);
        s.owner[b] = static_cast<std::int8_t>(line);
        s.ends[line][0] = static_cast<std::int16_t>(a);
        s.ends[line][1] = static_cast<std::int16_t>(b);
        s.endAt[a] = static_cast<std::int8_t>(1 + 2 * line);
        s.endAt[b] = static_cast<std::int8_t>(2 + 2 * line);
        s.left[line] = static_cast<std::int16_t>(length);
        cellsNeeded += length;
    }
    // Lines of the right lengths that never share a cell cover exactly this many cells, so the
    // lengths must add up to the free cells for the board to be filled.
    return cellsNeeded == ends.freeCells;
}

// Counts the grids of the loaded pairing, up to `limit`, within the steps left in `result`.
// Returns the grids found; `result.solutions` becomes unknownSolutions when the budget ran out.
int countGrids(Search& s, int limit, std::int32_t stepBudget, SolveResult& result) {
    int found = 0;
    s.trailSize = 0;
    s.depth = 0;
    for (;;) {
        if (result.steps >= stepBudget) {
            result.solutions = unknownSolutions;
            return found;
        }
        ++result.steps;
        const Decision d = analyse(s);
        if (d.verdict == Verdict::forced) {
            place(s, d.line, d.end, d.cells[0]);
            continue;
        }
        if (d.verdict == Verdict::branch) {
            Branch& b = s.branches[s.depth++];
            b.trailSize = static_cast<std::int16_t>(s.trailSize);
            b.line = static_cast<std::int8_t>(d.line);
            b.end = static_cast<std::int8_t>(d.end);
            b.count = static_cast<std::int8_t>(d.count);
            b.next = 0;
            for (int i = 0; i < d.count; ++i) b.cells[i] = d.cells[i];
            place(s, d.line, d.end, b.cells[0]);
            continue;
        }
        if (d.verdict == Verdict::solved && ++found == limit) return found;
        // Back to the latest choice point that still has a cell to try.
        bool resumed = false;
        while (s.depth > 0 && !resumed) {
            Branch& b = s.branches[s.depth - 1];
            undoTo(s, b.trailSize);
            if (++b.next < b.count) {
                place(s, b.line, b.end, b.cells[b.next]);
                resumed = true;
            } else {
                --s.depth;
            }
        }
        if (!resumed) return found;
    }
}

SolutionCount countFromGrids(int found) {
    return found == 0 ? noSolution : found == 1 ? oneSolution : severalSolutions;
}

inline int manhattanBetween(int i, int j) {
    const int dx = i / storageSide - j / storageSide;
    const int dy = i % storageSide - j % storageSide;
    return (dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy);
}

// Walks every way of pairing the endpoints that show equal lengths, one pairing at a time, and
// adds up the grids of each: a grid decides its pairing, so no grid is counted twice.
struct PairingWalk {
    const Board& board;
    const Endpoints& ends;
    std::int32_t stepBudget;
    Search& search;
    SolveResult& result;
    int found = 0;
    bool paired[2 * maxSymbol] = {};
    std::int8_t pairs[maxSymbol][2] = {};
    int lineCount = 0;

    // Pairs the first endpoint still alone with each later one of its length in turn.
    void next() {
        if (found >= 2 || result.solutions == unknownSolutions) return;
        int first = 0;
        while (first < ends.count && paired[first]) ++first;
        if (first == ends.count) {
            if (!load(board, ends, pairs, lineCount, search)) return;
            found += countGrids(search, 2 - found, stepBudget, result);
            return;
        }
        if (lineCount == maxSymbol) return;
        paired[first] = true;
        for (int other = first + 1; other < ends.count; ++other) {
            if (paired[other] || ends.length[other] != ends.length[first]) continue;
            // A line of length L joins endpoints at most L + 1 steps apart, by a number of steps
            // of the same parity (every step changes the checkerboard colour).
            const int span = manhattanBetween(ends.at[first], ends.at[other]);
            const int steps = ends.length[first] + 1;
            if (span > steps || (steps - span) % 2 != 0) continue;
            paired[other] = true;
            pairs[lineCount][0] = static_cast<std::int8_t>(first);
            pairs[lineCount][1] = static_cast<std::int8_t>(other);
            ++lineCount;
            next();
            --lineCount;
            paired[other] = false;
        }
        paired[first] = false;
    }
};

} // namespace

SolveResult countSolutions(const Board& board, std::int32_t stepBudget) {
    Search s;
    Endpoints ends;
    SolveResult result;
    result.solutions = noSolution;
    if (!readEndpoints(board, ends)) return result;
    // The pairing the symbols give; a symbol without exactly two endpoints has no solution.
    std::int8_t pairs[maxSymbol][2] = {};
    int lineCount = 0;
    for (int symbol = 1; symbol <= maxSymbol; ++symbol) {
        int seen = 0;
        for (int e = 0; e < ends.count; ++e) {
            if (ends.symbol[e] != symbol) continue;
            if (seen < 2) pairs[lineCount][seen] = static_cast<std::int8_t>(e);
            ++seen;
        }
        if (seen == 0) continue;
        if (seen != 2) return result;
        ++lineCount;
    }
    if (!load(board, ends, pairs, lineCount, s)) return result;
    const int found = countGrids(s, 2, stepBudget, result);
    if (result.solutions != unknownSolutions) result.solutions = countFromGrids(found);
    return result;
}

SolveResult countShownSolutions(const Board& board, std::int32_t stepBudget) {
    Search s;
    Endpoints ends;
    SolveResult result;
    result.solutions = noSolution;
    if (!readEndpoints(board, ends) || ends.count % 2 != 0) return result;
    PairingWalk walk{board, ends, stepBudget, s, result};
    walk.next();
    if (result.solutions != unknownSolutions) result.solutions = countFromGrids(walk.found);
    return result;
}

} // namespace kelvaro
