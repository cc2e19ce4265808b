// The Keep unfinished game option: the game in progress is written to its store at close, on
// a termination signal and after the player's steps, and put back, paused, at the next start.
// With the option off (or no store) nothing here reads or writes anything.
#pragma once

#include "game/game_world.h"

#include <cstdint>

namespace kelvaro {

// Steps are written at most this often, so a crash loses at most the last second of play.
constexpr std::uint32_t keepIntervalMs = 1000;

// The option is on and there is somewhere to keep the game.
bool keepingGames(const GameWorld& world);

// A game in progress: a numbered puzzle (not the example, not one still being prepared) whose
// clock has started, playing or paused. A finished game has nothing left to keep.
bool gameWorthKeeping(const GameWorld& world);

// Writes the game now, when kept games are on and it is worth keeping. A failure is told once a
// run, unless `quietly` (a signal's exit has nobody to tell). True when the game is kept.
bool keepGameNow(GameWorld& world, bool quietly = false);

// After a step of the player's (stroke, erase, reveal, undo, redo): written at once when the
// last write is a second old, otherwise at the first clock tick a second after it.
void keepAfterStep(GameWorld& world);
void keepIfDue(GameWorld& world);

// The game is abandoned or finished: the kept one, if any, goes.
void forgetKeptGame(GameWorld& world);

// At start-up, with the option on: the kept game on the board, paused, in place of a new one.
// A kept file that cannot be used is set aside and the player told; something that is not a
// file in its place is told and left alone. True when a kept game is on the board.
bool resumeKeptGame(GameWorld& world);

// The window's close (or Exit) with a game worth keeping: kept, so nothing need be asked and a
// paused game may close too. True when it was kept and the window may close.
bool keepGameAtClose(GameWorld& world);

// The Keep unfinished game command: switches the option and saves the settings at once. Turned
// on, the game in progress is kept at once; turned off, the kept game goes.
void toggleKeepGame(GameWorld& world);

} // namespace kelvaro
