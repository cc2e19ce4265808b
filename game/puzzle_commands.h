// The commands of the Puzzle menu: undo and redo, restart, play by number, copy the number, print.
// Each one ends the splash first and does nothing while the game is paused.
#pragma once

#include "game/game_world.h"

#include <string>

namespace kelvaro {

// Undo and redo act while playing, and never while a stroke is under way (the mouse button or
// the keyboard's pen down).
bool undoAvailable(const GameWorld& world);
bool redoAvailable(const GameWorld& world);

// Puts back the cells of the player's last step, or applies the undone step again. The stroke
// is forgotten, the grid checked, and a solved grid finishes the game as a board event would.
void undoCommand(GameWorld& world);
void redoCommand(GameWorld& world);

// The same puzzle, empty, its clock not started; asks first while the clock runs. Practice.
// Nothing while the puzzle is still being prepared.
void restartPuzzle(GameWorld& world);

// Asks for a number, reads and checks it (a bad one is explained and changes nothing), then,
// asking first while the clock runs, plays that puzzle as practice.
void playPuzzleByNumber(GameWorld& world);

// The puzzle number on the clipboard; none for the example, nor before the puzzle is ready.
void copyPuzzleNumber(GameWorld& world);

// The puzzle as at its start, with its number, through the system's print dialog; as Copy, not
// for the example nor before the puzzle is ready.
void printPuzzle(GameWorld& world);

// The puzzle the program was started on: it replaces the first new game, as practice. A kept
// game stays kept until the first step on this one replaces it.
void startPuzzleByNumber(GameWorld& world, PuzzleNumber number);

// Tells the player once per run what practice means, when a practice game has begun, the
// splash has gone and no stroke is under way.
void showPracticeNoticeIfDue(GameWorld& world);

// "8-3141592653" for the puzzle on the board.
std::string puzzleNumberText(const GameWorld& world);

} // namespace kelvaro
