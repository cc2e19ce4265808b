// The unfinished game as it is kept between runs, and its text: a small JSON document,
// versioned, that a player can read. Only its form is checked here; whether it fits its
// puzzle is the game's to judge, since the puzzle is made again from its number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

constexpr int keptGameVersion = 1;
// What the "kelvaro" member of every kept-game file says.
constexpr std::string_view keptGameMark = "kept game";
// The largest board side a kept game may have.
constexpr int keptGameMaxSide = 12;

// One cell changed by one of the player's steps: its column and row, and its code before and
// after the step.
struct KeptChange {
    std::int8_t x = 0;
    std::int8_t y = 0;
    std::int8_t before = 0;
    std::int8_t after = 0;
    bool operator==(const KeptChange&) const = default;
};

struct KeptGame {
    std::string puzzle; // the puzzle number as the game writes it, such as "8-3141592653"
    bool practice = false;
    std::int32_t clockMs = 0; // the clock's elapsed playing time
    std::int32_t penaltyCells = 0;
    std::int32_t tapCount = 0;
    // Rows top to bottom, each of `side` cell codes from left to right.
    int side = 0;
    std::vector<std::int8_t> grid;     // side x side, row by row
    std::vector<std::int8_t> revealed; // 0 or 1, the same order
    // The undo history: every step with its changed cells; the first `done` are applied.
    std::vector<std::vector<KeptChange>> steps;
    std::int32_t done = 0;
    std::int8_t cursorX = 0;
    std::int8_t cursorY = 0;
    bool cursorShown = false;
    bool operator==(const KeptGame&) const = default;
};

// The text a kept game is written as; parseKeptGame reads it back equal.
std::string formatKeptGame(const KeptGame& game);

enum class KeptGameParse {
    ok,
    damaged, // not a kept game, or one whose form is broken
    newer,   // a kept game of a later version than this program knows
};

// Reads a kept game; `game` is filled only when the answer is ok. Never throws: any text at all
// gets an answer.
KeptGameParse parseKeptGame(std::string_view text, KeptGame& game);

} // namespace kelvaro
