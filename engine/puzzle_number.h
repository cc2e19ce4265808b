// Puzzle numbers: a board size and the seed its puzzle is generated from, written "8-3141592653",
// so that a puzzle can be shared, printed by the puzzle tool and played again.
#pragma once

#include "engine/board.h"
#include "engine/random_source.h"
#include "engine/unique_puzzle.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kelvaro {

struct PuzzleNumber {
    std::int16_t size = 0; // 5, 8 or 12; 0 when the text gave a seed alone
    std::uint32_t seed = 0;
    // Written "12u-3141592653" (any level), "12g-..." (gentle) or "12d-..." (demanding): the
    // first puzzle with exactly one solution and such a level from the seed.
    UniqueChoice unique = uniqueOff;
    bool operator==(const PuzzleNumber&) const = default;
};

// The board sides a number may name.
constexpr bool isPuzzleSize(int size) {
    return size == 5 || size == 8 || size == 12;
}

// Reads "N-S", "NL-S" or a bare "S", blanks around it ignored: N one of 5, 8, 12; L the letter
// of a unique choice (u, g or d, either case); S one to ten decimal digits (leading zeros allowed)
// up to 4294967295. A bare S is a plain number with size 0, for the caller to fill with the size of
// the current difficulty. False, and `number` untouched, for any other text.
bool parsePuzzleNumber(std::string_view text, PuzzleNumber& number);

// "12u-4294967295" is the longest number written today; the room left is for later flags.
constexpr std::size_t puzzleNumberCapacity = 16;

struct PuzzleNumberText {
    char chars[puzzleNumberCapacity] = {};
    std::size_t length = 0;
    std::string_view view() const { return {chars, length}; }
};

// The letter a unique choice writes after the size: u, g, d; 0 for plain puzzles.
char uniqueLetter(UniqueChoice choice);

// "N-S", or "NL-S" for a unique number; a number without a size is written as its bare seed.
PuzzleNumberText formatPuzzleNumber(const PuzzleNumber& number);

// The puzzle a number names: the first puzzle generatePuzzle makes at that size from a source
// started again from the seed. The puzzle tool's first puzzle for --size N --seed S is the same.
// For a unique number, the first puzzle generateUniquePuzzle keeps from that source with the
// levels of its choice, as the tool's first for --unique --level; should none turn up within the
// candidate cap, the plain puzzle of the seed, and the answer is false (the board then holds what
// the plain number names). That search can take a while; the game runs it away from its window's
// thread.
bool generateNumberedPuzzle(Board& board, RandomSource& random, const PuzzleNumber& number);

} // namespace kelvaro
