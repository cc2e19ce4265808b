#include "engine/board.h"

#include <algorithm>

namespace kelvaro {

int cellIndex(int x, int y) {
    if (x < 0 || x >= storageSide || y < 0 || y >= storageSide) return -1;
    return x * storageSide + y;
}

void setCell(const Board& board, Layer& layer, int x, int y, std::int8_t value) {
    const int i = boardIndex(board, x, y);
    if (i >= 0) layer[i] = value;
}

void clearLayer(Layer& layer) {
    layer.fill(0);
}

namespace {

// Direction from M towards P, or 0 when P is in neither M's row nor its column.
int directionTowards(int px, int py, int mx, int my) {
    if (px == mx) return py < my ? dirUp : dirDown;
    if (py == my) return px < mx ? dirLeft : dirRight;
    return 0;
}

} // namespace

std::int8_t segmentCodeFor(int px, int py, int mx, int my, int qx, int qy) {
    if (px == qx && py == qy) return 0;
    const int a = directionTowards(px, py, mx, my);
    const int b = directionTowards(qx, qy, mx, my);
    if (a == 0 || b == 0) return 0;
    return static_cast<std::int8_t>(-(10 * std::min(a, b) + std::max(a, b)));
}

std::int8_t redirectCode(int a, int old, int c, int d) {
    const int m = codeContains(old, c) ? c : d;
    return static_cast<std::int8_t>(-(10 * std::min(a, m) + std::max(a, m)));
}

bool cellsJoined(const Board& board, int px, int py, int qx, int qy) {
    // Reads go through cellAt, so a pair off the board is simply not joined.
    px = static_cast<std::int16_t>(px);
    py = static_cast<std::int16_t>(py);
    qx = static_cast<std::int16_t>(qx);
    qy = static_cast<std::int16_t>(qy);
    const int p = cellAt(board, board.solution, px, py);
    const int q = cellAt(board, board.solution, qx, qy);
    if (p >= 0 || q >= 0) return false;
    if (px == qx && py + 1 == qy) return codeContains(p, dirDown) && codeContains(q, dirUp);
    if (px == qx && qy + 1 == py) return codeContains(q, dirDown) && codeContains(p, dirUp);
    if (py == qy && px + 1 == qx) return codeContains(p, dirRight) && codeContains(q, dirLeft);
    if (py == qy && qx + 1 == px) return codeContains(q, dirRight) && codeContains(p, dirLeft);
    return false;
}

} // namespace kelvaro
