// Named game situations built on generated puzzles, for the screenshots and the paint
// benchmarks: everything onPaint reads, set up as the game would leave it.
#pragma once

#include "engine/board.h"
#include "model/game_state.h"
#include "store/settings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelvaro {

struct Scene {
    std::string name;
    Board board;
    GameState state;
    Settings settings;
    Statistics statistics;
    std::uint32_t tick = 0; // the clock's reading when the scene is painted
};

// A fresh game of this difficulty from a generated puzzle; the same seed gives the same board.
Scene newGameScene(const std::string& name, int difficulty, std::uint32_t seed);

// Copies the solution's lines of symbols 1 to lastSymbol into the player's grid, then
// checks the grid as the game does after each move.
void drawSolvedLines(Scene& scene, int lastSymbol);

// The player is dragging the line of `symbol` and has reached its cell number `reached`
// (counting the starting endpoint as 0): the head is current, the cell before it previous,
// the line traced and its partner endpoint lit.
void strokeInProgress(Scene& scene, int symbol, int reached);

// Every scene of the screenshots, in order.
std::vector<Scene> allScenes();

} // namespace kelvaro
