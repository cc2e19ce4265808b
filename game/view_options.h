// The options of the View menu, which change how the board looks and nothing of the game.
#pragma once

#include "game/game_world.h"

namespace kelvaro {

// The Clear colours command: turns the option on or off, saves the settings at once and
// repaints the whole frame in the new colours. It acts in every phase, paused or finished
// alike, since it changes no game.
void toggleClearColours(GameWorld& world);

} // namespace kelvaro
