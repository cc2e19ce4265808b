// The two commands that run a modal dialog and then change the game.
#pragma once

#include "game/game_world.h"

namespace kelvaro {

// Shows the rules, then puts the example on the board with its left column to redraw.
void learnRules(GameWorld& world);

// Runs the options dialog, then relabels the menu, saves, and starts a new game when the
// running one was abandoned or the difficulty changed.
void showOptions(GameWorld& world);

} // namespace kelvaro
