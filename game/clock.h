// Pausing, and the window timer's tick.
#pragma once

#include "game/game_world.h"

namespace kelvaro {

// The Pause command. Resuming is a tap anywhere in the window.
void pauseGame(GameWorld& world);

// The window timer's tick: the splash's step while it shows, otherwise the clock's refresh.
void onTimer(GameWorld& world);

} // namespace kelvaro
