// The Unique puzzles option: new games whose puzzle has exactly one solution. Such a puzzle is
// searched for on a worker; until it arrives the game waits on an empty board, and nothing but
// the commands that replace the game (or close the window) acts on it.
#pragma once

#include "game/game_world.h"

#include <cstdint>
#include <string_view>

namespace kelvaro {

// A preparation shorter than this passes unnoticed; after it the shell shows preparingText.
constexpr std::uint32_t preparingNoteDelayMs = 100;

// The Unique puzzles command of the Puzzle menu: turns the option on (at any level) or off and
// saves the settings at once. The game on the board stays as it is; the next new game follows
// the option.
void toggleUniquePuzzles(GameWorld& world);

// The same for a choice of how hard the reasoning may be (uniqueOff turns the option off).
void chooseUniquePuzzles(GameWorld& world, UniqueChoice choice);

// Whether the game waits for its puzzle.
bool preparingPuzzle(const GameWorld& world);

// Sets up the wait for the puzzle with one solution that `number` names: an empty board of its
// size while the worker searches, or at once the kept puzzle when it is that number's.
void prepareUniqueGame(GameWorld& world, const PuzzleNumber& number);

// The worker's puzzle reaches the board: the unique puzzle, or, should the search have found
// none within the candidate cap, the plain puzzle of the seed under its plain number. Called on
// the user-interface thread after postPuzzleReady; a call for a preparation that has since been
// cancelled or replaced does nothing.
void puzzleReady(GameWorld& world);

// Whether the shell is to show preparingText at tick `now`, and if not yet, in how many ms it
// will be (0: not while nothing is being prepared).
bool preparingNoteShown(const GameWorld& world, std::uint32_t now);
std::uint32_t preparingNoteDueIn(const GameWorld& world, std::uint32_t now);

inline std::string_view preparingText(std::int32_t language) {
    return language != 0 ? "Préparation d'une grille à solution unique..."
                         : "Preparing a puzzle with one solution...";
}

} // namespace kelvaro
