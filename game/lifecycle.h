// Starting, restarting and abandoning a game; the window timer; the end of the splash.
#pragma once

#include "game/game_world.h"

namespace kelvaro {

constexpr int clockPeriodMs = 100;

// Answer of confirmAbandon when the game is paused and nothing was asked or done.
constexpr int abandonRefusedPaused = 99;

// Starts (or restarts) the one window timer and remembers the id that stops it.
void startWindowTimer(GameWorld& world, int periodMs);
void stopWindowTimer(GameWorld& world);

// Sets repaintMode to a whole frame and asks the window for a paint.
void requestWholeRepaint(GameWorld& world);

// Brings difficulty into 0..2 and player into 0..1, the way start-up clamps difficulty:
// below the range gives the lowest value, above it the highest. The store can hand back
// anything that was written into it from outside, and both index the records.
void keepSlotInRange(Settings& settings);

// The New Game command.
void newGame(GameWorld& world);

// Resets the state for a new puzzle and generates it; asks nothing. The puzzle's seed is a
// fresh draw of the seed source. With the Unique puzzles option, the puzzle is prepared on a
// worker instead, and the board stays empty until puzzleReady.
void setUpNewGame(GameWorld& world);

// setUpNewGame for the puzzle this number names (a size of 0 meaning the difficulty's): the
// size holds for this game only, and the game is practice.
void setUpNumberedGame(GameWorld& world, PuzzleNumber number);

// Tells the player when the puzzle on the board did not generate soundly; a puzzle still being
// prepared is not there yet.
void warnIfGenerationFailed(GameWorld& world);

// The board side of a difficulty: 1 gives 8, 2 gives 12, anything else 5.
std::int16_t sideForDifficulty(std::int32_t difficulty);

// What every fresh board starts with, the example's too: no step to undo, the keyboard's
// cursor back on the top-left cell.
void startFreshPlay(GameWorld& world);

// 1: go on (timer stopped, tapCount 0, no puzzle being prepared any more);
// abandonRefusedPaused: paused, nothing done; anything else: the player declined.
int confirmAbandon(GameWorld& world);

// The window's close request; true when the window may close. With kept games on, a game in
// progress is kept and the window closes without a question, paused or not.
bool closeRequest(GameWorld& world);

// Ends the splash if it shows; the caller asks for any repaint.
void endSplash(GameWorld& world);

} // namespace kelvaro
