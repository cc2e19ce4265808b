// Picture 128: the six toolbar images in the standard 16 colours.
#include "mask.h"
#include "palette.h"
#include "pictures.h"

#include <stdexcept>
#include <string>

namespace kelvaro::pictures {

namespace {

constexpr int button = 17;

// Letters for the standard colours: k black, m maroon, g green, o olive, n navy,
// p purple, t teal, s silver, d grey, r red, l lime, y yellow, b blue, f fuchsia,
// c aqua, w white. '.' leaves the pixel as it is.
int colourIndex(char letter) {
    const std::string order = "kmgonptsdrlybfcw";
    const auto at = order.find(letter);
    if (at == std::string::npos) throw std::runtime_error(std::string("no colour ") + letter);
    return static_cast<int>(at);
}

struct Canvas {
    QImage image;
    int left = 0; // the current button's first column

    void put(int x, int y, char colour) {
        if (x >= 0 && y >= 0 && x < button && y < button)
            image.setPixel(left + x, y, static_cast<uint>(colourIndex(colour)));
    }
    void fill(char colour) {
        for (int y = 0; y < button; ++y)
            for (int x = 0; x < button; ++x) put(x, y, colour);
    }
    void art(std::initializer_list<const char*> rows) {
        int y = 0;
        for (const char* row : rows) {
            if (std::char_traits<char>::length(row) != button)
                throw std::runtime_error("toolbar art row is not 17 wide: " + std::string(row));
            for (int x = 0; x < button; ++x)
                if (row[x] != '.') put(x, y, row[x]);
            ++y;
        }
    }
    void paint(const Mask& m, char colour) {
        for (int y = 0; y < button; ++y)
            for (int x = 0; x < button; ++x)
                if (m.at(x, y)) put(x, y, colour);
    }
};

void questionMark(Canvas& c) {
    c.fill('s');
    c.art({".................", ".....kkkkkkk.....", "....kkkkkkkkk....", "...kkk.....kkk...",
           "...kkk.....kkk...", "...........kkk...", "..........kkk....", ".........kkk.....",
           "........kkk......", ".......kkk.......", ".......kkk.......", ".................",
           ".......kkk.......", ".......kkk.......", ".......kkk.......", ".................",
           "................."});
}

void notepad(Canvas& c) {
    c.fill('s');
    c.art({".................", ".................", "..k.k.k.k.k......", ".kkkkkkkkkkkk....",
           ".kwwwwwwwwwwk....", ".kwbbbbbbbbwk....", ".kwwwwwwwwwwk....", ".kwbbbbbbbbwk....",
           ".kwwwwwwwwwwk....", ".kwbbbbbbbbwk....", ".kwwwwwwwwwwk....", ".kwbbbbbbbbwk....",
           ".kwwwwwwwwwwk....", ".kwbbbbbwwwwk....", ".kwwwwwwwwwwk....", ".kkkkkkkkkkkk....",
           "................."});
    // The pencil lies across the pad from the upper right, point down to the left.
    for (int y = 0; y <= 11; ++y) {
        const int x = 16 - y;
        const char body = y <= 1 ? 'r' : y == 2 ? 'd' : y <= 8 ? 'y' : 'o';
        c.put(x - 1, y, y <= 8 ? 'k' : body);
        c.put(x, y, body);
        c.put(x + 1, y, y <= 8 ? (y <= 1 ? 'm' : y == 2 ? 'k' : 'o') : 'k');
    }
    c.put(4, 12, 'k');
    c.put(5, 12, 'k');
    c.put(3, 13, 'k');
}

void miniBoard(Canvas& c) {
    c.art({"kkkkkkkkkkkkkkkkk", "knnnnnnnnnnnnnnnk", "knlllnnnnnnnlllnk", "knnnlnnnnnnnnnlnk",
           "knlllnbbbbbnlllnk", "knlnnnnnnnnnlnnnk", "knlllnnnnnnnlllnk", "knnnnnnnnnnnnnnnk",
           "knbbbbbbbbbbbbbnk", "knnnnnnnnnnnnnnnk", "knyyynnnnnnnyyynk", "knnnynnnnnnnnnynk",
           "knnyynbbbbbnnyynk", "knnnynnnnnnnnnynk", "knyyynnnnnnnyyynk", "knnnnnnnnnnnnnnnk",
           "kkkkkkkkkkkkkkkkk"});
}

void sadFace(Canvas& c) {
    c.fill('t');
    Mask outline(button, button), face(button, button), features(button, button);
    disc(outline, 8.5, 8.5, 7.6);
    disc(face, 8.5, 8.5, 6.6);
    rect(features, 6, 5, 2, 3);
    rect(features, 10, 5, 2, 3);
    art(features, 5, 10, {"..###..", ".#...#.", "#.....#"});
    c.paint(outline, 'k');
    c.paint(face, 'y');
    c.paint(features, 'k');
}

void lightBulb(Canvas& c) {
    c.fill('s');
    Mask glass(button, button), inside(button, button), shine(button, button);
    disc(glass, 8.5, 6.5, 6.0);
    rect(glass, 6, 9, 5, 3);
    disc(inside, 8.5, 6.5, 5.0);
    rect(inside, 7, 9, 3, 3);
    disc(shine, 6.5, 4.5, 1.3);
    c.paint(glass, 'o');
    c.paint(inside, 'y');
    c.paint(shine, 'w');
    c.art({".................", ".................", ".................", ".................",
           ".................", ".................", ".................", ".................",
           ".................", ".................", ".................", ".................",
           "......kdddk......", "......kwwwk......", "......kdddk......", ".......kkk.......",
           "................."});
}

void pauseBars(Canvas& c) {
    c.fill('s');
    c.art({".................", ".................", ".................", "....rrrm..rrrm...",
           "....rrrm..rrrm...", "....rrrm..rrrm...", "....rrrm..rrrm...", "....rrrm..rrrm...",
           "....rrrm..rrrm...", "....rrrm..rrrm...", "....rrrm..rrrm...", "....rrrm..rrrm...",
           "....rrrm..rrrm...", "....rrrm..rrrm...", "....mmmm..mmmm...", ".................",
           "................."});
}

} // namespace

QImage drawToolbarStrip() {
    Canvas c{zeroedImage(6 * button, button, QImage::Format_Indexed8)};
    c.image.setColorTable(standardPalette());
    void (*const images[])(Canvas&) = {questionMark, notepad,   miniBoard,
                                       sadFace,      lightBulb, pauseBars};
    for (int k = 0; k < 6; ++k) {
        c.left = k * button;
        images[k](c);
    }
    return c.image;
}

} // namespace kelvaro::pictures
