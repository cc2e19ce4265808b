// The unfinished game taken off the board into its kept form, and put back from it. Putting it
// back makes the puzzle again from its number and takes nothing that does not fit it.
#pragma once

#include "game/game_world.h"
#include "store/kept_game.h"

namespace kelvaro {

// The game on the board as it is kept: a stroke under way counts as lifted, a pending hint as
// dropped, and the keyboard's pen as up. Nothing of the world changes.
KeptGame captureKeptGame(const GameWorld& world);

// Puts the kept game on the board, paused with its clock at the kept time, its history and
// cursor as they were. False, and nothing of the world changed but its random source, when the
// kept game does not fit its puzzle: a number that names none, a cell code that is no piece, an
// endpoint that is not the puzzle's, a revealed cell unlike the solution, a penalty that is not
// the revealed cells', a history step that does not apply, or a grid already solved.
bool restoreKeptGame(GameWorld& world, const KeptGame& kept);

} // namespace kelvaro
