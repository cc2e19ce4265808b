// Picture 137: the numbers 0 to 29 and the thirty symbol tiles, white on black.
#include "mask.h"
#include "pictures.h"

#include <QPoint>
#include <array>
#include <cmath>

namespace kelvaro::pictures {

namespace {

constexpr int tile = 18; // the part of each 20 x 20 tile that is ever copied

using Art = std::initializer_list<const char*>;

// Bold digits, 7 x 11, two-pixel strokes: two of them fit a tile with a gap.
const std::array<Art, 10> digits = {{
    {".#####.", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##",
     "##...##", "##...##", ".#####."},
    {"...##..", "..###..", ".####..", "...##..", "...##..", "...##..", "...##..", "...##..",
     "...##..", "...##..", ".######"},
    {".#####.", "##...##", ".....##", ".....##", "....##.", "...##..", "..##...", ".##....",
     "##.....", "##.....", "#######"},
    {".#####.", "##...##", ".....##", ".....##", ".....##", "..####.", ".....##", ".....##",
     ".....##", "##...##", ".#####."},
    {"....##.", "...###.", "..####.", ".##.##.", "##..##.", "##..##.", "#######", "....##.",
     "....##.", "....##.", "....##."},
    {"#######", "##.....", "##.....", "##.....", "######.", ".....##", ".....##", ".....##",
     ".....##", "##...##", ".#####."},
    {"..####.", ".##....", "##.....", "##.....", "######.", "##...##", "##...##", "##...##",
     "##...##", "##...##", ".#####."},
    {"#######", ".....##", ".....##", "....##.", "....##.", "...##..", "...##..", "..##...",
     "..##...", "..##...", "..##..."},
    {".#####.", "##...##", "##...##", "##...##", ".#####.", "##...##", "##...##", "##...##",
     "##...##", "##...##", ".#####."},
    {".#####.", "##...##", "##...##", "##...##", "##...##", "##...##", ".######", ".....##",
     ".....##", "....##.", ".####.."},
}};

constexpr int digitWidth = 7;
constexpr int digitHeight = 11;
constexpr int digitTop = (tile - digitHeight) / 2;

Mask number(int n) {
    Mask m(tile, tile);
    if (n < 10) {
        art(m, (tile - digitWidth) / 2, digitTop, digits[n]);
    } else {
        const int gap = 2;
        const int left = (tile - 2 * digitWidth - gap) / 2;
        art(m, left, digitTop, digits[n / 10]);
        art(m, left + digitWidth + gap, digitTop, digits[n % 10]);
    }
    return m;
}

constexpr double c = tile / 2.0; // the tile's centre, between pixels 8 and 9

Mask squidInvader() {
    Mask m(tile, tile);
    art(m, 1, 1,
        {"...##...", "..####..", ".######.", "##.##.##", "########", "..#..#..", ".#.##.#.",
         "#.#..#.#"},
        2);
    return m;
}

Mask asterisk() {
    Mask m(tile, tile);
    const double r = 8.2, d = r * 0.7071;
    stroke(m, {c - r, c}, {c + r, c}, 1.0);
    stroke(m, {c, c - r}, {c, c + r}, 1.0);
    stroke(m, {c - d, c - d}, {c + d, c + d}, 0.8);
    stroke(m, {c - d, c + d}, {c + d, c - d}, 0.8);
    return m;
}

Mask crabInvader() {
    Mask m(tile, tile);
    art(m, 0, 1,
        {"..#...#..", "...#.#...", "..#####..", ".##.#.##.", "#########", "#.#####.#", "#.#...#.#",
         "...#.#..."},
        2);
    return m;
}

Mask diamondDots() {
    Mask m(tile, tile);
    const double r = 2.6, off = 5.4;
    disc(m, c, c - off, r);
    disc(m, c + off, c, r);
    disc(m, c, c + off, r);
    disc(m, c - off, c, r);
    return m;
}

Mask circledSnowflake() {
    // Centred half a pixel up and left, so the odd-sized flake sits on a pixel centre.
    Mask m(tile, tile);
    ring(m, c - 0.5, c - 0.5, 7.3, 8.5);
    art(m, 2, 2,
        {"......#......", ".....###.....", "..#...#...#..", "...#..#..#...", "....#.#.#....",
         ".#...###...#.", "#############", ".#...###...#.", "....#.#.#....", "...#..#..#...",
         "..#...#...#..", ".....###.....", "......#......"});
    return m;
}

Mask cancer() {
    // A ball whose tail sweeps over it to the right; the lower curl is the same turned
    // half a turn.
    Mask half(tile, tile);
    art(half, 0, 2,
        {"....##########....", "..####......####..", ".####.........###.", "######.........##.",
         "######............", "######............", ".####............."});
    Mask m = half;
    blit(m, rotated180(half), 0, 0);
    return m;
}

Mask alienHead() {
    Mask m(tile, tile);
    art(m, 0, 0,
        {"..................", ".....########.....", "...############...", "..##############..",
         ".################.", ".################.", ".##....####....##.", ".##.....##.....##.",
         "..##....##....##..", "..###...##...###..", "...####.##.####...", "....##########....",
         ".....########.....", "......######......", ".......####.......", "........##........",
         "..................", ".................."});
    return m;
}

Mask bomb() {
    Mask m(tile, tile);
    disc(m, 7.5, 11.0, 6.2);
    disc(m, 5.4, 8.8, 1.3, false); // shine
    rect(m, 10, 3, 3, 3);          // cap
    // The fuse, and a spark where it burns.
    for (QPoint p : {QPoint(13, 3), QPoint(13, 2), QPoint(14, 2), QPoint(15, 0), QPoint(17, 0),
                     QPoint(16, 1), QPoint(15, 2), QPoint(17, 2)})
        m.set(p.x(), p.y());
    return m;
}

Mask face(bool smiling) {
    Mask m(tile, tile);
    disc(m, c, c, 8.7);
    rect(m, 5, 5, 2, 3, false);
    rect(m, 11, 5, 2, 3, false);
    if (smiling) {
        arc(m, c, c + 0.6, 4.6, 200, 340, 0.9, false);
    } else {
        Mask mouth(tile, tile);
        art(mouth, 4, 11, {"..######..", ".##....##.", "##......##"});
        for (int y = 0; y < tile; ++y)
            for (int x = 0; x < tile; ++x)
                if (mouth.at(x, y)) m.set(x, y, false);
    }
    return m;
}

Mask skull() {
    Mask m(tile, tile);
    art(m, 0, 0,
        {".....########.....", "....##########....", "...############...",
         "...##...##...##...", "...##...##...##...", "...#####..#####...",
         "....##########....", ".....##.##.##.....", ".....########.....",
         "..................", ".##............##.", "####..........####",
         ".####........####.", "...####....####...", ".....########.....",
         "...####....####...", ".####........####.", "####..........####"});
    return m;
}

Mask libra() {
    Mask m(tile, tile);
    rect(m, 1, 14, 16, 2);
    rect(m, 1, 10, 4, 2);
    rect(m, 13, 10, 4, 2);
    arc(m, c, 6.9, 4.6, -40, 220, 0.95);
    return m;
}

Mask filledDiamond() {
    Mask m(tile, tile);
    polygon(m, {{c, 0.3}, {tile - 0.3, c}, {c, tile - 0.3}, {0.3, c}});
    return m;
}

Mask crossPattee() {
    // Each arm widens steadily from the centre to its straight end.
    Mask m(tile, tile);
    for (int y = 0; y < tile; ++y)
        for (int x = 0; x < tile; ++x) {
            const double dx = std::abs(x + 0.5 - c), dy = std::abs(y + 0.5 - c);
            auto halfWidth = [](double along) { return 0.9 + 0.34 * along; };
            if (dx <= halfWidth(dy) || dy <= halfWidth(dx)) m.set(x, y);
        }
    disc(m, c, c, 2.2); // the arms meet in a solid centre
    return m;
}

Mask yinYang() {
    Mask m(tile, tile);
    const double r = 9.0, inner = 7.9, h = inner / 2;
    for (int y = 0; y < tile; ++y)
        for (int x = 0; x < tile; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double d = std::hypot(px - c, py - c);
            if (d > r) continue;
            bool white;
            if (d >= inner)
                white = true;
            else if (std::hypot(px - c, py - (c - h)) <= h)
                white = true;
            else if (std::hypot(px - c, py - (c + h)) <= h)
                white = false;
            else
                white = px < c;
            if (std::hypot(px - c, py - (c - h)) <= 1.5) white = false;
            if (std::hypot(px - c, py - (c + h)) <= 1.5) white = true;
            m.set(x, y, white);
        }
    return m;
}

Mask gemini() {
    Mask m(tile, tile);
    art(m, 0, 0,
        {"..................", ".#..............#.", ".##............##.", "..##############..",
         "...############...", "....###....###....", "....###....###....", "....###....###....",
         "....###....###....", "....###....###....", "....###....###....", "....###....###....",
         "....###....###....", "...############...", "..##############..", ".##............##.",
         ".#..............#.", ".................."});
    return m;
}

Mask circledX() {
    Mask m(tile, tile);
    ring(m, c, c, 7.4, 9.0);
    const double d = 4.4;
    stroke(m, {c - d, c - d}, {c + d, c + d}, 1.0);
    stroke(m, {c - d, c + d}, {c + d, c - d}, 1.0);
    return m;
}

Mask crossedSquare() {
    Mask m(tile, tile);
    rect(m, 1, 1, 16, 16);
    rect(m, 3, 3, 12, 12, false);
    stroke(m, {2, 2}, {16, 16}, 0.9);
    stroke(m, {2, 16}, {16, 2}, 0.9);
    return m;
}

Mask boltArrow() {
    Mask m(tile, tile);
    art(m, 0, 0,
        {"...............###", "..............###.", ".............###..", "...........####...",
         "..........###.....", "........####......", ".......#########..", "...........####...",
         ".........####.....", ".......####.......", "#....####.........", "##..####..........",
         "###.###...........", "######............", "#####.............", "######............",
         "#######...........", "########.........."});
    return m;
}

Mask symbol(int k) {
    switch (k) {
    case 1:
        return squidInvader();
    case 2:
        return asterisk();
    case 3:
        return crabInvader();
    case 4:
        return diamondDots();
    case 5:
        return circledSnowflake();
    case 6:
        return cancer();
    case 7:
        return alienHead();
    case 8:
        return bomb();
    case 9:
        return face(false);
    case 10:
        return face(true);
    case 11:
        return skull();
    case 12:
        return libra();
    case 13:
        return filledDiamond();
    case 14:
        return crossPattee();
    case 15:
        return yinYang();
    case 16:
        return gemini();
    case 17:
        return circledX();
    case 18:
        return crossedSquare();
    default:
        return k == 0 ? Mask(tile, tile) : boltArrow();
    }
}

} // namespace

QImage drawGlyphAtlas() {
    constexpr int tiles = 30, pitch = 20;
    Mask atlas(tiles * pitch, 2 * pitch);
    for (int k = 0; k < tiles; ++k) {
        blit(atlas, number(k), k * pitch, 0);
        blit(atlas, symbol(k), k * pitch, pitch);
    }
    // The separators along each tile's last column and row.
    for (int k = 0; k < tiles; ++k) rect(atlas, k * pitch + pitch - 1, 0, 1, 2 * pitch);
    rect(atlas, 0, pitch - 1, tiles * pitch, 1);
    rect(atlas, 0, 2 * pitch - 1, tiles * pitch, 1);
    return monoImage(atlas, 1);
}

} // namespace kelvaro::pictures
