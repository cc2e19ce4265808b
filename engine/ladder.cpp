#include "engine/ladder.h"

#include <array>
#include <bitset>

namespace kelvaro {

namespace {

// The board with a wall all around it, so every neighbour is one fixed offset away.
constexpr int side = storageSide + 2;
constexpr int paddedCells = side * side;
constexpr int offsets[4] = {-1, side, 1, -side}; // up, right, down, left
constexpr int maxEnds = 2 * maxSymbol;
// Pairs of endpoints that show the same length. A generated puzzle has a few dozen at most; a
// board with more is not graded (it "needs guessing") rather than overrun the tables.
constexpr int maxPairs = 256;
constexpr int unreachable = 10'000;

// Route enumeration is what a player does when tracing the ways a short line can go; past a few
// routes, or a search of some hundred cells, a player (and this solver) looks elsewhere.
constexpr int routeCap = 16;
constexpr int nodeCap = 600;

constexpr std::int8_t wallCell = -2;
constexpr std::int8_t freeCell = -1;

inline int paddedIndex(int x, int y) {
    return (x + 1) * side + y + 1;
}
inline int columnOf(int p) {
    return p / side;
}
inline int rowOf(int p) {
    return p % side;
}
inline int manhattan(int p, int q) {
    const int dx = columnOf(p) - columnOf(q);
    const int dy = rowOf(p) - rowOf(q);
    return (dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy);
}
inline int colourOf(int p) {
    return (columnOf(p) + rowOf(p)) & 1;
}
inline bool adjacent(int p, int q) {
    return manhattan(p, q) == 1;
}
// Which offset leads from p to its neighbour q.
inline int offsetIndex(int p, int q) {
    const int d = q - p;
    return d == -1 ? 0 : d == side ? 1 : d == 1 ? 2 : 3;
}

// What the player is shown, fixed for the whole grading.
struct Puzzle {
    int n = 0;
    int endCount = 0;
    std::int16_t at[maxEnds] = {};
    std::int16_t length[maxEnds] = {};
    std::int8_t symbol[maxEnds] = {};
    int pairCount = 0;
    std::int8_t pairA[maxPairs] = {};
    std::int8_t pairB[maxPairs] = {};
    std::int16_t pairOf[maxEnds][maxEnds] = {}; // -1 when the lengths differ
};

// What is known so far: each endpoint grows a line from its own cell, its head being the last
// cell drawn; two heads of equal length join when their lines meet at the full length.
struct Position {
    std::array<std::int8_t, paddedCells> owner{};  // wallCell, freeCell or the endpoint drawing it
    std::array<std::int16_t, paddedCells> claim{}; // -1, or the pair whose line must cross it
    std::int16_t head[maxEnds] = {};
    std::int16_t used[maxEnds] = {};   // cells drawn from the endpoint
    std::int8_t partner[maxEnds] = {}; // -1 while unknown
    std::uint8_t banned[maxEnds] = {}; // bit k: the head may not go by offset k
    bool done[maxEnds] = {};
    int freeCells = 0;
};

// Working tables rebuilt every round; one set serves the whole grading.
struct Scratch {
    std::int16_t dist[maxEnds][paddedCells] = {};
    std::int16_t queue[paddedCells] = {};
    // Route enumeration, per pair.
    std::int16_t routeCount[maxPairs] = {};
    bool routeComplete[maxPairs] = {};
    std::bitset<paddedCells> routeCells[maxPairs];
    std::uint8_t firstRoute[maxPairs][layerCells] = {};
    std::int16_t routeLength[maxPairs] = {};
    std::int16_t commonFromA[maxPairs] = {};
    std::int16_t commonFromB[maxPairs] = {};
    std::int16_t listedHead[maxEnds] = {}; // where every head stood when the routes were listed
    // One enumeration under way.
    std::uint8_t path[layerCells] = {};
    std::bitset<paddedCells> onPath;
    // Regions of free cells.
    std::array<std::uint8_t, paddedCells> region{};
    std::int16_t regionSize[layerCells + 1] = {};
    std::int16_t regionBalance[layerCells + 1] = {};
    std::int16_t regionNeed[layerCells + 1] = {};
    std::int16_t regionMay[layerCells + 1] = {};
    std::int16_t regionLineBalance[layerCells + 1] = {};
};

struct Grader {
    const Puzzle& pz;
    Scratch& sc;
    std::int32_t steps = 0;
    std::int32_t budget = 0;
};

enum class Outcome { progress, stuck, contradiction, solved };

inline int remaining(const Puzzle& pz, const Position& pos, int e, int f) {
    return pz.length[e] - pos.used[e] - pos.used[f];
}

// Whether e and f may still be the two ends of one line.
inline bool pairOpen(const Puzzle& pz, const Position& pos, int e, int f) {
    return e != f && pz.pairOf[e][f] >= 0 && !pos.done[e] && !pos.done[f] &&
           (pos.partner[e] < 0 || pos.partner[e] == f) &&
           (pos.partner[f] < 0 || pos.partner[f] == e) && remaining(pz, pos, e, f) >= 0;
}

inline bool usableBy(const Puzzle& pz, const Position& pos, int p, int e) {
    if (pos.owner[p] != freeCell) return false;
    const int k = pos.claim[p];
    return k < 0 || pz.pairA[k] == e || pz.pairB[k] == e;
}

inline bool usableByPair(const Position& pos, int p, int k) {
    return pos.owner[p] == freeCell && (pos.claim[p] < 0 || pos.claim[p] == k);
}

bool pairHasFreeClaims(const Puzzle& pz, const Position& pos, int k) {
    for (int x = 0; x < pz.n; ++x)
        for (int y = 0; y < pz.n; ++y) {
            const int p = paddedIndex(x, y);
            if (pos.owner[p] == freeCell && pos.claim[p] == k) return true;
        }
    return false;
}

// Distances from e's head through the free cells its line may use. A cell taken since only makes
// the true distances longer, so older figures stay a safe bound, but a head that moved must be
// measured again: its partner now has fewer cells left to reach it.
void measureFrom(Grader& g, const Position& pos, int e) {
    std::int16_t* dist = g.sc.dist[e];
    for (int p = 0; p < paddedCells; ++p) dist[p] = unreachable;
    if (pos.done[e]) return;
    int head = 0, tail = 0;
    dist[pos.head[e]] = 0;
    g.sc.queue[tail++] = pos.head[e];
    while (head < tail) {
        const int p = g.sc.queue[head++];
        for (const int offset : offsets) {
            const int q = p + offset;
            if (dist[q] != unreachable || !usableBy(g.pz, pos, q, e)) continue;
            dist[q] = static_cast<std::int16_t>(dist[p] + 1);
            g.sc.queue[tail++] = static_cast<std::int16_t>(q);
        }
    }
}

void measureDistances(Grader& g, const Position& pos) {
    for (int e = 0; e < g.pz.endCount; ++e) measureFrom(g, pos, e);
}

// Whether the line from e to f, r cells still to draw, may reach f's head with e's head at p.
inline bool stillReaches(const Grader& g, const Position& pos, int f, int p, int r) {
    return g.sc.dist[f][p] <= r && ((manhattan(p, pos.head[f]) ^ r) & 1) == 0;
}

// The moves open to an endpoint's head: a step into a free cell (by its offset k), or joining
// a neighbouring head of its length that completes the line (also by its offset).
struct Options {
    int count = 0;
    std::int8_t offset[4] = {};
    std::int8_t joins[4] = {}; // the endpoint joined, or -1 for a step
};

Options optionsOf(const Grader& g, const Position& pos, int e) {
    Options o;
    if (pos.done[e]) return o;
    const int at = pos.head[e];
    for (int k = 0; k < 4; ++k) {
        if ((pos.banned[e] >> k) & 1) continue;
        const int q = at + offsets[k];
        if (pos.owner[q] == freeCell) {
            if (!usableBy(g.pz, pos, q, e)) continue;
            bool reaches = false;
            for (int f = 0; f < g.pz.endCount && !reaches; ++f) {
                if (!pairOpen(g.pz, pos, e, f)) continue;
                const int r = remaining(g.pz, pos, e, f);
                const int claim = pos.claim[q];
                reaches = r >= 1 && (claim < 0 || claim == g.pz.pairOf[e][f]) &&
                          stillReaches(g, pos, f, q, r);
            }
            if (!reaches) continue;
            o.offset[o.count] = static_cast<std::int8_t>(k);
            o.joins[o.count] = -1;
            ++o.count;
        } else if (pos.owner[q] >= 0) {
            const int f = pos.owner[q];
            if (pos.head[f] != q || !pairOpen(g.pz, pos, e, f) || remaining(g.pz, pos, e, f) != 0 ||
                ((pos.banned[f] >> ((k + 2) & 3)) & 1) ||
                pairHasFreeClaims(g.pz, pos, g.pz.pairOf[e][f]))
                continue;
            o.offset[o.count] = static_cast<std::int8_t>(k);
            o.joins[o.count] = static_cast<std::int8_t>(f);
            ++o.count;
        }
    }
    return o;
}

void fixPartners(Position& pos, int e, int f) {
    pos.partner[e] = static_cast<std::int8_t>(f);
    pos.partner[f] = static_cast<std::int8_t>(e);
}

void stepInto(const Puzzle& pz, Position& pos, int e, int q) {
    pos.owner[q] = static_cast<std::int8_t>(e);
    pos.head[e] = static_cast<std::int16_t>(q);
    ++pos.used[e];
    --pos.freeCells;
    pos.banned[e] = 0;
    const int k = pos.claim[q];
    if (k >= 0) fixPartners(pos, pz.pairA[k], pz.pairB[k]);
}

void join(Position& pos, int e, int f) {
    fixPartners(pos, e, f);
    pos.done[e] = true;
    pos.done[f] = true;
}

void applyOption(const Puzzle& pz, Position& pos, int e, const Options& o, int i) {
    if (o.joins[i] >= 0) {
        join(pos, e, o.joins[i]);
    } else {
        stepInto(pz, pos, e, pos.head[e] + offsets[o.offset[i]]);
    }
}

// Rung 1. A head with a single way on takes it; a free cell, which a line must enter and leave,
// with only two neighbours to link to, is linked to both, so a head among them steps in.
Outcome onlyWayOn(Grader& g, Position& pos) {
    bool progress = false;
    for (int e = 0; e < g.pz.endCount; ++e) {
        if (pos.done[e]) continue;
        const Options o = optionsOf(g, pos, e);
        if (o.count == 0) return Outcome::contradiction;
        if (o.count == 1) {
            applyOption(g.pz, pos, e, o, 0);
            measureFrom(g, pos, e);
            progress = true;
        }
    }
    for (int x = 0; x < g.pz.n; ++x) {
        for (int y = 0; y < g.pz.n; ++y) {
            const int p = paddedIndex(x, y);
            if (pos.owner[p] != freeCell) continue;
            int links = 0;
            int heads[2] = {-1, -1};
            int headCount = 0;
            for (int k = 0; k < 4; ++k) {
                const int q = p + offsets[k];
                if (pos.owner[q] == freeCell) {
                    ++links;
                    continue;
                }
                const int e = pos.owner[q];
                if (e < 0 || pos.done[e] || pos.head[e] != q) continue;
                const Options o = optionsOf(g, pos, e);
                bool enters = false;
                for (int i = 0; i < o.count; ++i)
                    enters = enters || (o.joins[i] < 0 && o.offset[i] == ((k + 2) & 3));
                if (!enters) continue;
                ++links;
                if (headCount < 2) heads[headCount] = e;
                ++headCount;
            }
            if (links < 2) return Outcome::contradiction;
            if (links != 2 || headCount == 0) continue;
            const int e = heads[0];
            if (headCount == 2) {
                const int f = heads[1];
                if (!pairOpen(g.pz, pos, e, f) || remaining(g.pz, pos, e, f) != 1)
                    return Outcome::contradiction;
                stepInto(g.pz, pos, e, p);
                join(pos, e, f);
            } else {
                stepInto(g.pz, pos, e, p);
            }
            measureFrom(g, pos, e);
            progress = true;
        }
    }
    return progress ? Outcome::progress : Outcome::stuck;
}

// Whether a route of r cells may still run from e's head to f's head.
bool headsReach(const Grader& g, const Position& pos, int e, int f) {
    const int r = remaining(g.pz, pos, e, f);
    if (r == 0) return adjacent(pos.head[e], pos.head[f]);
    for (const int offset : offsets) {
        const int q = pos.head[f] + offset;
        if (pos.owner[q] == freeCell && stillReaches(g, pos, e, q, r)) return true;
    }
    return false;
}

// Rung 2. An endpoint with a single endpoint of its length still within reach is its partner.
Outcome onlyPartner(Grader& g, Position& pos) {
    bool progress = false;
    for (int e = 0; e < g.pz.endCount; ++e) {
        if (pos.done[e]) continue;
        int found = 0;
        int partner = -1;
        for (int f = 0; f < g.pz.endCount; ++f) {
            if (!pairOpen(g.pz, pos, e, f) || !headsReach(g, pos, e, f)) continue;
            ++found;
            partner = f;
        }
        if (found == 0) return Outcome::contradiction;
        if (found == 1 && pos.partner[e] < 0) {
            fixPartners(pos, e, partner);
            progress = true;
        }
    }
    return progress ? Outcome::progress : Outcome::stuck;
}

// Lists the routes of pair k, up to routeCap of them, within nodeCap search cells.
struct RouteWalk {
    Grader& g;
    const Position& pos;
    int k, e, f, r, claimsNeeded;
    int nodes = 0;
    int claimsOnPath = 0;

    void record(int cellsOnPath) {
        Scratch& sc = g.sc;
        const int count = ++sc.routeCount[k];
        if (count > routeCap) {
            sc.routeComplete[k] = false;
            return;
        }
        for (int i = 0; i < cellsOnPath; ++i) sc.routeCells[k].set(sc.path[i]);
        if (count == 1) {
            for (int i = 0; i < cellsOnPath; ++i) sc.firstRoute[k][i] = sc.path[i];
            sc.routeLength[k] = static_cast<std::int16_t>(cellsOnPath);
            sc.commonFromA[k] = static_cast<std::int16_t>(cellsOnPath);
            sc.commonFromB[k] = static_cast<std::int16_t>(cellsOnPath);
            return;
        }
        int fromA = 0;
        while (fromA < sc.commonFromA[k] && sc.firstRoute[k][fromA] == sc.path[fromA]) ++fromA;
        int fromB = 0;
        while (fromB < sc.commonFromB[k] &&
               sc.firstRoute[k][cellsOnPath - 1 - fromB] == sc.path[cellsOnPath - 1 - fromB])
            ++fromB;
        sc.commonFromA[k] = static_cast<std::int16_t>(fromA);
        sc.commonFromB[k] = static_cast<std::int16_t>(fromB);
    }

    bool stopped() const { return !g.sc.routeComplete[k] || g.steps >= g.budget; }

    void walk(int at, int placed) {
        if (stopped()) return;
        if (++nodes > nodeCap) {
            g.sc.routeComplete[k] = false;
            return;
        }
        ++g.steps;
        const int target = pos.head[f];
        for (int d = 0; d < 4 && !stopped(); ++d) {
            if (placed == 0 && ((pos.banned[e] >> d) & 1)) continue;
            const int q = at + offsets[d];
            if (!usableByPair(pos, q, k) || g.sc.onPath.test(q)) continue;
            const int left = r - placed - 1;
            if (!stillReaches(g, pos, f, q, left + 1)) continue;
            const int claimed = pos.claim[q] == k ? 1 : 0;
            g.sc.path[placed] = static_cast<std::uint8_t>(q);
            if (left == 0) {
                if (adjacent(q, target) && !((pos.banned[f] >> offsetIndex(target, q)) & 1) &&
                    claimsOnPath + claimed == claimsNeeded)
                    record(placed + 1);
                continue;
            }
            g.sc.onPath.set(q);
            claimsOnPath += claimed;
            walk(q, placed + 1);
            claimsOnPath -= claimed;
            g.sc.onPath.reset(q);
        }
    }
};

void enumeratePair(Grader& g, const Position& pos, int k) {
    Scratch& sc = g.sc;
    sc.routeCount[k] = 0;
    sc.routeComplete[k] = true;
    sc.routeCells[k].reset();
    sc.routeLength[k] = 0;
    sc.commonFromA[k] = 0;
    sc.commonFromB[k] = 0;
    const int e = g.pz.pairA[k];
    const int f = g.pz.pairB[k];
    if (!pairOpen(g.pz, pos, e, f)) return;
    const int r = remaining(g.pz, pos, e, f);
    int claimsNeeded = 0;
    for (int x = 0; x < g.pz.n; ++x)
        for (int y = 0; y < g.pz.n; ++y) {
            const int p = paddedIndex(x, y);
            claimsNeeded += pos.owner[p] == freeCell && pos.claim[p] == k;
        }
    if (r == 0) {
        const int d = offsetIndex(pos.head[e], pos.head[f]);
        if (adjacent(pos.head[e], pos.head[f]) && claimsNeeded == 0 &&
            !((pos.banned[e] >> d) & 1) && !((pos.banned[f] >> ((d + 2) & 3)) & 1))
            sc.routeCount[k] = 1;
        return;
    }
    sc.onPath.reset();
    RouteWalk walk{g, pos, k, e, f, r, claimsNeeded};
    walk.walk(pos.head[e], 0);
    if (g.steps >= g.budget) sc.routeComplete[k] = false;
}

void enumerateRoutes(Grader& g, const Position& pos) {
    for (int e = 0; e < g.pz.endCount; ++e) g.sc.listedHead[e] = pos.head[e];
    for (int k = 0; k < g.pz.pairCount; ++k) enumeratePair(g, pos, k);
}

// Routes are listed once a round; a rung that draws some of them must not act on a list that an
// earlier drawing in the same round has outdated: e's own head, or a partner's, has moved.
bool routesStillListed(const Grader& g, const Position& pos, int e) {
    if (pos.done[e] || pos.head[e] != g.sc.listedHead[e]) return false;
    for (int f = 0; f < g.pz.endCount; ++f)
        if (pairOpen(g.pz, pos, e, f) && pos.head[f] != g.sc.listedHead[f]) return false;
    return true;
}

// The i-th cell of the pair's first route as seen from endpoint e.
inline int routeCellFrom(const Grader& g, int k, int e, int i) {
    const int length = g.sc.routeLength[k];
    return g.pz.pairA[k] == e ? g.sc.firstRoute[k][i] : g.sc.firstRoute[k][length - 1 - i];
}

// Draws the first `cells` cells of pair k's first route from e's head, and joins the partner when
// `thenJoin` (routes to two partners may share all their cells; only the partner differs).
// False when the board has changed under the route in a way no solution allows.
bool drawRoute(Grader& g, Position& pos, int k, int e, int cells, bool thenJoin) {
    const int f = g.pz.pairA[k] == e ? g.pz.pairB[k] : g.pz.pairA[k];
    for (int i = 0; i < cells; ++i) {
        const int q = routeCellFrom(g, k, e, i);
        if (pos.owner[q] != freeCell || !adjacent(q, pos.head[e])) return false;
        stepInto(g.pz, pos, e, q);
    }
    if (thenJoin) join(pos, e, f);
    return true;
}

// Rungs 3 and 4. With every route of an endpoint known: none is a contradiction, a single one is
// drawn (rung 3), and the cells next to the head that all of them take are drawn (rung 4).
Outcome routesOfEndpoints(Grader& g, Position& pos, int rule) {
    bool progress = false;
    for (int e = 0; e < g.pz.endCount; ++e) {
        if (pos.done[e]) continue;
        int total = 0;
        bool known = true;
        int onlyPair = -1;
        for (int k = 0; k < g.pz.pairCount && known; ++k) {
            if (g.pz.pairA[k] != e && g.pz.pairB[k] != e) continue;
            const int f = g.pz.pairA[k] == e ? g.pz.pairB[k] : g.pz.pairA[k];
            if (!pairOpen(g.pz, pos, e, f)) continue;
            known = g.sc.routeComplete[k];
            total += g.sc.routeCount[k];
            if (g.sc.routeCount[k] > 0) onlyPair = k;
        }
        if (!known || !routesStillListed(g, pos, e)) continue;
        if (total == 0) return Outcome::contradiction;
        if (rule == ruleOnlyRoute) {
            if (total != 1) continue;
            const int f = g.pz.pairA[onlyPair] == e ? g.pz.pairB[onlyPair] : g.pz.pairA[onlyPair];
            if (g.sc.routeLength[onlyPair] == 0) {
                if (!adjacent(pos.head[e], pos.head[f])) return Outcome::contradiction;
                join(pos, e, f);
            } else if (!drawRoute(g, pos, onlyPair, e, g.sc.routeLength[onlyPair], true)) {
                return Outcome::contradiction;
            }
            progress = true;
            continue;
        }
        // Common first cells across every route of every partner.
        int common = layerCells;
        int firstPair = -1;
        for (int k = 0; k < g.pz.pairCount; ++k) {
            if (g.pz.pairA[k] != e && g.pz.pairB[k] != e) continue;
            const int f = g.pz.pairA[k] == e ? g.pz.pairB[k] : g.pz.pairA[k];
            if (!pairOpen(g.pz, pos, e, f) || g.sc.routeCount[k] == 0) continue;
            const int own = g.pz.pairA[k] == e ? g.sc.commonFromA[k] : g.sc.commonFromB[k];
            if (own < common) common = own;
            if (firstPair < 0) {
                firstPair = k;
                continue;
            }
            int same = 0;
            while (same < common &&
                   routeCellFrom(g, k, e, same) == routeCellFrom(g, firstPair, e, same))
                ++same;
            common = same;
        }
        if (firstPair < 0 || common <= 0) continue;
        if (!drawRoute(g, pos, firstPair, e, common, false)) return Outcome::contradiction;
        progress = true;
    }
    return progress ? Outcome::progress : Outcome::stuck;
}

// Pair k's endpoints e and f, and the r cells their line has left to draw, when they may still be
// linked and r is not 0.
bool lineLeftToDraw(const Grader& g, const Position& pos, int k, int& e, int& f, int& r) {
    e = g.pz.pairA[k];
    f = g.pz.pairB[k];
    if (!pairOpen(g.pz, pos, e, f)) return false;
    r = remaining(g.pz, pos, e, f);
    return r != 0;
}

// Rung 5. Every free cell lies on some line; when only one pair of endpoints can still reach a
// cell, their line must cross it, and they are partners.
Outcome onlyOneLine(Grader& g, Position& pos) {
    std::array<std::int16_t, paddedCells> reachedBy{};
    std::array<std::uint8_t, paddedCells> reachCount{};
    for (int k = 0; k < g.pz.pairCount; ++k) {
        int e = 0, f = 0, r = 0;
        if (!lineLeftToDraw(g, pos, k, e, f, r)) continue;
        if (((manhattan(pos.head[e], pos.head[f]) ^ (r + 1)) & 1) != 0) continue;
        for (int x = 0; x < g.pz.n; ++x) {
            for (int y = 0; y < g.pz.n; ++y) {
                const int p = paddedIndex(x, y);
                if (pos.owner[p] != freeCell) continue;
                const bool reaches =
                    g.sc.routeComplete[k]
                        ? g.sc.routeCells[k].test(p)
                        : usableByPair(pos, p, k) && g.sc.dist[e][p] + g.sc.dist[f][p] <= r + 1;
                if (!reaches) continue;
                if (reachCount[p] < 2) ++reachCount[p];
                reachedBy[p] = static_cast<std::int16_t>(k);
            }
        }
    }
    bool progress = false;
    for (int x = 0; x < g.pz.n; ++x) {
        for (int y = 0; y < g.pz.n; ++y) {
            const int p = paddedIndex(x, y);
            if (pos.owner[p] != freeCell) continue;
            if (reachCount[p] == 0) return Outcome::contradiction;
            if (reachCount[p] != 1) continue;
            const int k = reachedBy[p];
            const int e = g.pz.pairA[k];
            const int f = g.pz.pairB[k];
            if (pos.claim[p] == k && pos.partner[e] == f) continue;
            if (pos.claim[p] >= 0 && pos.claim[p] != k) return Outcome::contradiction;
            pos.claim[p] = static_cast<std::int16_t>(k);
            fixPartners(pos, e, f);
            progress = true;
        }
    }
    return progress ? Outcome::progress : Outcome::stuck;
}

// What a player sees at a glance once a move is made: a head with no way on, a cell that cannot
// be linked, or a region of free cells that the lines around it cannot fill exactly.
bool plainlyImpossible(Grader& g, const Position& pos) {
    measureDistances(g, pos);
    for (int e = 0; e < g.pz.endCount; ++e)
        if (!pos.done[e] && optionsOf(g, pos, e).count == 0) return true;
    Scratch& sc = g.sc;
    sc.region.fill(0);
    int regions = 0;
    for (int x = 0; x < g.pz.n; ++x) {
        for (int y = 0; y < g.pz.n; ++y) {
            const int start = paddedIndex(x, y);
            if (pos.owner[start] != freeCell || sc.region[start] != 0) continue;
            ++regions;
            sc.regionSize[regions] = 0;
            sc.regionBalance[regions] = 0;
            sc.regionNeed[regions] = 0;
            sc.regionMay[regions] = 0;
            sc.regionLineBalance[regions] = 0;
            int head = 0, tail = 0;
            sc.queue[tail++] = static_cast<std::int16_t>(start);
            sc.region[start] = static_cast<std::uint8_t>(regions);
            while (head < tail) {
                const int p = sc.queue[head++];
                int links = 0;
                for (const int offset : offsets) {
                    const int q = p + offset;
                    if (pos.owner[q] == freeCell) {
                        ++links;
                        if (sc.region[q] == 0) {
                            sc.region[q] = static_cast<std::uint8_t>(regions);
                            sc.queue[tail++] = static_cast<std::int16_t>(q);
                        }
                    } else if (pos.owner[q] >= 0 && !pos.done[pos.owner[q]] &&
                               pos.head[pos.owner[q]] == q) {
                        ++links;
                    }
                }
                if (links < 2) return true;
                ++sc.regionSize[regions];
                sc.regionBalance[regions] += colourOf(p) ? 1 : -1;
            }
        }
    }
    for (int k = 0; k < g.pz.pairCount; ++k) {
        int e = 0, f = 0, r = 0;
        if (!lineLeftToDraw(g, pos, k, e, f, r)) continue;
        std::uint8_t shared[4];
        int count = 0;
        for (const int offset : offsets) {
            const int p = pos.head[e] + offset;
            if (pos.owner[p] != freeCell) continue;
            const std::uint8_t rg = sc.region[p];
            bool touchesF = false;
            for (const int other : offsets) {
                const int q = pos.head[f] + other;
                touchesF = touchesF || (pos.owner[q] == freeCell && sc.region[q] == rg);
            }
            bool seen = false;
            for (int i = 0; i < count; ++i) seen = seen || shared[i] == rg;
            if (touchesF && !seen) shared[count++] = rg;
        }
        const bool fixed = pos.partner[e] == f;
        if (count == 0) {
            if (fixed) return true;
            continue;
        }
        if (fixed && count == 1) {
            sc.regionNeed[shared[0]] = static_cast<std::int16_t>(sc.regionNeed[shared[0]] + r);
            // The line's cells alternate colours, starting with the colour opposite its head.
            if (r & 1) sc.regionLineBalance[shared[0]] += colourOf(pos.head[e]) ? -1 : 1;
        } else {
            for (int i = 0; i < count; ++i)
                sc.regionMay[shared[i]] = static_cast<std::int16_t>(sc.regionMay[shared[i]] + r);
        }
    }
    for (int r = 1; r <= regions; ++r) {
        if (sc.regionNeed[r] > sc.regionSize[r]) return true;
        if (sc.regionNeed[r] + sc.regionMay[r] < sc.regionSize[r]) return true;
        if (sc.regionMay[r] == 0 && sc.regionLineBalance[r] != sc.regionBalance[r]) return true;
    }
    return false;
}

Outcome applyRung(Grader& g, Position& pos, int rule);

// One round: the easiest rung that makes progress, applied wherever it applies.
Outcome playRound(Grader& g, Position& pos, int topRule, int& ruleUsed) {
    ++g.steps;
    bool allDone = true;
    for (int e = 0; e < g.pz.endCount; ++e) allDone = allDone && pos.done[e];
    if (allDone) return pos.freeCells == 0 ? Outcome::solved : Outcome::contradiction;
    measureDistances(g, pos);
    for (int rule = ruleOnlyWayOn; rule <= topRule; ++rule) {
        if (rule == ruleOnlyRoute) enumerateRoutes(g, pos);
        const Outcome o = applyRung(g, pos, rule);
        if (o == Outcome::stuck) continue;
        ruleUsed = rule;
        return o;
    }
    return Outcome::stuck;
}

// Plays rounds up to `topRule` until the puzzle is solved, stuck or contradicted.
Outcome playOut(Grader& g, Position& pos, int topRule) {
    for (;;) {
        if (g.steps >= g.budget) return Outcome::stuck;
        int used = 0;
        const Outcome o = playRound(g, pos, topRule, used);
        if (o != Outcome::progress) return o;
    }
}

// Rungs 6 and 7: each move of each open head is tried on a copy of the position; a move that
// ends in a contradiction, seen at a glance (rung 6) or after the easier rungs played out
// (rung 7), is ruled out for that head.
Outcome ruleOutMoves(Grader& g, Position& pos, int rule) {
    struct Trial {
        std::int8_t end;
        Options options;
    };
    Trial trials[maxEnds];
    int trialCount = 0;
    for (int e = 0; e < g.pz.endCount; ++e) {
        if (pos.done[e]) continue;
        const Options o = optionsOf(g, pos, e);
        if (o.count >= 2) trials[trialCount++] = Trial{static_cast<std::int8_t>(e), o};
    }
    bool progress = false;
    for (int t = 0; t < trialCount; ++t) {
        const int e = trials[t].end;
        for (int i = 0; i < trials[t].options.count; ++i) {
            if (g.steps >= g.budget) return progress ? Outcome::progress : Outcome::stuck;
            ++g.steps;
            Position trial = pos;
            applyOption(g.pz, trial, e, trials[t].options, i);
            // Looking ahead, a player follows the move with the easy rungs and then looks at
            // the regions once; trying moves inside the trial would be looking two ahead.
            bool impossible = plainlyImpossible(g, trial);
            if (!impossible && rule == ruleLookAhead) {
                const Outcome o = playOut(g, trial, ruleOnlyOneLine);
                impossible = o == Outcome::contradiction ||
                             (o == Outcome::stuck && plainlyImpossible(g, trial));
            }
            if (!impossible) continue;
            pos.banned[e] |= static_cast<std::uint8_t>(1 << trials[t].options.offset[i]);
            progress = true;
        }
    }
    return progress ? Outcome::progress : Outcome::stuck;
}

Outcome applyRung(Grader& g, Position& pos, int rule) {
    switch (rule) {
    case ruleOnlyWayOn:
        return onlyWayOn(g, pos);
    case ruleOnlyPartner:
        return onlyPartner(g, pos);
    case ruleOnlyRoute:
    case ruleCommonCells:
        return routesOfEndpoints(g, pos, rule);
    case ruleOnlyOneLine:
        return onlyOneLine(g, pos);
    case ruleRegions:
    case ruleLookAhead:
        return ruleOutMoves(g, pos, rule);
    default:
        return Outcome::stuck;
    }
}

// Reads the shown puzzle; false for a board that is no puzzle the ladder can take.
bool load(const Board& board, Puzzle& pz, Position& pos) {
    pz.n = boardSide(board);
    pos.owner.fill(wallCell);
    pos.claim.fill(-1);
    for (int x = 0; x < pz.n; ++x) {
        for (int y = 0; y < pz.n; ++y) {
            const int i = x * storageSide + y;
            const int v = board.solution[i];
            const int p = paddedIndex(x, y);
            if (v <= 0) {
                pos.owner[p] = freeCell;
                ++pos.freeCells;
                continue;
            }
            if (v > maxSymbol || pz.endCount == maxEnds || board.solutionLength[i] < 1)
                return false;
            const int e = pz.endCount++;
            pz.at[e] = static_cast<std::int16_t>(p);
            pz.length[e] = board.solutionLength[i];
            pz.symbol[e] = static_cast<std::int8_t>(v);
            pos.owner[p] = static_cast<std::int8_t>(e);
            pos.head[e] = static_cast<std::int16_t>(p);
            pos.partner[e] = -1;
        }
    }
    for (int e = 0; e < pz.endCount; ++e) {
        int sameLength = 0;
        for (int f = 0; f < pz.endCount; ++f) {
            pz.pairOf[e][f] = -1;
            if (f == e || pz.length[f] != pz.length[e]) continue;
            ++sameLength;
            if (f < e) {
                pz.pairOf[e][f] = pz.pairOf[f][e];
                continue;
            }
            if (pz.pairCount == maxPairs) return false;
            pz.pairA[pz.pairCount] = static_cast<std::int8_t>(e);
            pz.pairB[pz.pairCount] = static_cast<std::int8_t>(f);
            pz.pairOf[e][f] = static_cast<std::int16_t>(pz.pairCount++);
        }
        if (sameLength == 0) return false;
        // The only other endpoint showing this length is its partner: that is plain to see.
        if (sameLength == 1)
            for (int f = 0; f < pz.endCount; ++f)
                if (f != e && pz.length[f] == pz.length[e])
                    pos.partner[e] = static_cast<std::int8_t>(f);
    }
    return true;
}

} // namespace

GradeResult gradePuzzle(const Board& board, std::int32_t stepBudget, int topRule) {
    GradeResult result;
    Puzzle pz;
    Position pos;
    if (!load(board, pz, pos)) return result;
    static_assert(sizeof(Scratch) < 200'000, "the grader's tables must stay a stack's worth");
    Scratch sc;
    Grader g{pz, sc, 0, stepBudget};
    int hardest = 0;
    for (;;) {
        if (g.steps >= g.budget) break;
        int used = 0;
        const Outcome o = playRound(g, pos, topRule < ladderTop ? topRule : ladderTop, used);
        if (o == Outcome::progress) {
            if (used > hardest) hardest = used;
            continue;
        }
        if (o == Outcome::solved) {
            result.level = hardest;
            for (int x = 0; x < pz.n; ++x)
                for (int y = 0; y < pz.n; ++y)
                    result.lineOf[x * storageSide + y] = pz.symbol[pos.owner[paddedIndex(x, y)]];
        }
        break;
    }
    result.steps = g.steps;
    result.budgetSpent = result.level == needsGuessing && g.steps >= g.budget;
    return result;
}

} // namespace kelvaro
