// Every handler of the game logic, for the window shell that connects them.
#pragma once

#include "game/clock.h"
#include "game/dialog_commands.h"
#include "game/finish.h"
#include "game/game_keeping.h"
#include "game/game_world.h"
#include "game/hints.h"
#include "game/keyboard_pen.h"
#include "game/lifecycle.h"
#include "game/puzzle_commands.h"
#include "game/stylus.h"
#include "game/unique_puzzles.h"
