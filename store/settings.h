// The player's preferences and the records kept per player and difficulty.
#pragma once

#include <array>
#include <cstdint>

namespace kelvaro {

constexpr int playerSlots = 2;
constexpr int difficulties = 3;
constexpr int histogramBytes = 500;

// Colours are 0x00BBGGRR: red in the lowest byte.
using Colour = std::uint32_t;

constexpr Colour defaultLineOkColour = 0x005000;
constexpr Colour defaultLineViColour = 0x000080;
constexpr Colour traceColour = 0x00FFFF;
constexpr Colour revealedColour = 0xFFFF00;

struct Settings {
    std::array<char16_t, 4> versionText{u'1', u'.', u'1', 0};
    std::int32_t language = 0;   // 0 English, otherwise French
    std::int32_t difficulty = 0; // 0 easy (5 x 5), 1 medium (8 x 8), 2 hard (12 x 12)
    std::int16_t player = 0;     // player slot 0 or 1
    Colour lineOkColour = defaultLineOkColour;
    Colour lineViColour = defaultLineViColour;
    // 0: the plain generator's puzzles. Otherwise each new game is a puzzle with exactly one
    // solution that reasoning alone finishes: 1 at any level, 2 gentle (no look-ahead), 3
    // demanding (look-ahead needed).
    std::int32_t unique = 0;
    // 1: the unfinished game is kept at exit and after each step, and resumed at start-up.
    std::int32_t keepGame = 0;
    // 1: the board is painted in colours and marks that read for every eye, low contrast and
    // colour-blind ones included; 0: the player's own line colours.
    std::int32_t clearColours = 0;
};

// Every field is indexed [player][difficulty].
template <typename T> using PerSlot = std::array<std::array<T, difficulties>, playerSlots>;
using HistogramText = std::array<char, histogramBytes>;

struct Statistics {
    PerSlot<std::int32_t> bestTime{};
    PerSlot<std::int32_t> gamesPlayed{};
    PerSlot<std::int32_t> totalTime{};
    PerSlot<std::int32_t> totalPenalty{};
    PerSlot<HistogramText> histogram{};
};

} // namespace kelvaro
