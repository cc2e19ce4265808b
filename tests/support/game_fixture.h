// A fresh game world over the test window, an in-memory registry and a seeded random source,
// with helpers that press cells the way the stylus would.
#pragma once

#include "board_text.h"
#include "engine/random_source.h"
#include "fake_window.h"
#include "game/game.h"
#include "model/layout.h"
#include "store/memory_registry.h"

#include <gtest/gtest.h>

namespace kelvaro {

// Every cell used; five lines of lengths 4, 3, 1, 5 and 2.
inline const BoardRows smallPuzzle{
    "1--72", "3-3||", "4571|", "|5J2J", "L---4",
};

class GameFixture : public ::testing::Test {
  protected:
    FakeWindow window;
    MemoryRegistry registry;
    Mt19937Source random{20261209};
    GameWorld world{registry, window, random};
    GameState& state = world.state;
    Board& board = world.board;

    // A new game, as setUpNewGame leaves it, on a puzzle drawn as text.
    void startPuzzle(const BoardRows& solutionRows) {
        setUpNewGame(world);
        putPuzzle(board, solutionRows);
        placeBoard(state, board);
    }

    int pixelX(int x) const { return state.boardLeft + cellPixels * x + cellPixels / 2; }
    int pixelY(int y) const { return state.boardTop + cellPixels * y + cellPixels / 2; }

    void down(int x, int y) { onStylusDown(world, pixelX(x), pixelY(y)); }
    void move(int x, int y) { onStylusMove(world, pixelX(x), pixelY(y)); }
    void doubleTap(int x, int y) { onStylusDoubleTap(world, pixelX(x), pixelY(y)); }
    void up() { onStylusUp(world); }
    void tap(int x, int y) {
        down(x, y);
        up();
    }

    // Presses at the first cell, moves through the others, lifts.
    void stroke(std::initializer_list<std::pair<int, int>> cells) {
        bool first = true;
        for (auto [x, y] : cells) {
            if (first)
                down(x, y);
            else
                move(x, y);
            first = false;
        }
        up();
    }

    BoardRows gridRows() const { return layerRows(board, board.grid); }

    // Starts the clock with a tap off the board's lines: a press on an endpoint draws nothing.
    void startClock() { tap(0, 0); }
};

} // namespace kelvaro
