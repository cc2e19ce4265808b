#include "engine/generator.h"

#include "engine/candidates.h"
#include "engine/checker.h"
#include "engine/refine.h"

#include <algorithm>

namespace kelvaro {

namespace {

constexpr int maxAttempts = 20;
constexpr int symbolCount = 19;

} // namespace

int drawLineLimit(int n, RandomSource& random) {
    if (n < 1) return 0;
    return std::min(25, (random.draw() & 255) % n + n / 2 + n);
}

bool findLineStart(Board& board, RandomSource& random, int& px, int& py, int& d) {
    const int n = boardSide(board);
    if (n < 1) return false;
    int x = (random.draw() & 255) % n;
    int y = (random.draw() & 255) % n;
    for (int visit = 0; visit < n * n; ++visit) {
        if (board.solution[x * storageSide + y] == 0) {
            bool allowed[4];
            int count = 0;
            for (int c = 0; c < 4; ++c) {
                const int i = boardIndex(board, x + candidateDx[c], y + candidateDy[c]);
                allowed[c] = i >= 0 && board.solution[i] == 0;
                count += allowed[c] ? 1 : 0;
            }
            if (count >= 2) {
                const int c = pickCandidate(allowed, random);
                px = x + candidateDx[c];
                py = y + candidateDy[c];
                d = candidateBack[c];
                return true;
            }
        }
        if (++x == n) {
            x = 0;
            if (++y == n) y = 0;
        }
    }
    return false;
}

int walkLine(Board& board, RandomSource& random, int px, int py, int d, int limit, std::int8_t s) {
    setCell(board, board.solution, px, py, s);
    int x = static_cast<std::int16_t>(px);
    int y = static_cast<std::int16_t>(py);
    int prevX = x, prevY = y;
    stepCell(d, x, y);
    int count = 2;
    // Each step fills one empty board cell, so the walk ends within n * n steps whatever limit is.
    if (limit > 2) {
        do {
            bool allowed[4];
            for (int c = 0; c < 4; ++c) {
                const int i = boardIndex(board, x + candidateDx[c], y + candidateDy[c]);
                allowed[c] = i >= 0 && board.solution[i] == 0;
            }
            const int c = pickCandidate(allowed, random);
            if (c < 0) break;
            const int nextX = x + candidateDx[c];
            const int nextY = y + candidateDy[c];
            setCell(board, board.solution, x, y, segmentCodeFor(nextX, nextY, x, y, prevX, prevY));
            prevX = x;
            prevY = y;
            x = nextX;
            y = nextY;
            ++count;
        } while (count < limit);
    }
    setCell(board, board.solution, x, y, s);
    return count;
}

void shuffleSymbols(std::int8_t* list, int m, RandomSource& random) {
    if (list == nullptr || m <= 0) return;
    for (int swap = 0; swap < m * 100; ++swap) {
        const int i = drawBelow(random, m);
        const int j = drawBelow(random, m);
        std::swap(list[i], list[j]);
    }
}

int finishAttempt(Board& board, RandomSource& random, int k) {
    if (k > symbolCount) return 1;
    std::int8_t symbols[symbolCount];
    for (int i = 0; i < symbolCount; ++i) symbols[i] = static_cast<std::int8_t>(i + 1);
    shuffleSymbols(symbols, symbolCount, random);
    const int n = boardSide(board);
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            std::int8_t& v = board.solution[x * storageSide + y];
            if (v > 0 && v < symbolCount) v = symbols[v];
        }
    }
    return checkGrid(board, solutionLayer);
}

int generateAttempt(Board& board, RandomSource& random) {
    clearLayer(board.solution);
    clearLayer(board.grid);
    clearLayer(board.errors);
    clearLayer(board.revealed);
    clearLayer(board.traceMarks);
    std::int8_t k = 1;

    int px = 0, py = 0, d = 0;
    // Every walk covers at least 3 of the 144 cells, so k stays far below the byte's limit.
    while (findLineStart(board, random, px, py, d)) {
        const int limit = drawLineLimit(boardSide(board), random);
        walkLine(board, random, px, py, d, limit, k);
        ++k;
    }

    if (fillGaps(board, random) > 0) fillGaps(board, random);
    addDetours(board);
    // Each split fills one empty cell; the bound only matters for boards no walk could make.
    for (int splits = 0; splits < layerCells && splitAtCorner(board, random, k) != 0; ++splits)
        fillGaps(board, random);
    clearLayer(board.traceMarks);
    return finishAttempt(board, random, k);
}

int generatePuzzleCounting(Board& board, RandomSource& random) {
    int accepted = 0;
    for (int attempt = 1; attempt <= maxAttempts && accepted == 0; ++attempt)
        if (generateAttempt(board, random) == 0) accepted = attempt;
    computeOwners(board, solutionLayer);
    for (int i = 0; i < layerCells; ++i) {
        board.grid[i] = board.solution[i] > 0 ? board.solution[i] : std::int8_t{0};
        board.gridLength[i] = 0;
    }
    return accepted;
}

void generatePuzzle(Board& board, RandomSource& random) {
    generatePuzzleCounting(board, random);
}

} // namespace kelvaro
