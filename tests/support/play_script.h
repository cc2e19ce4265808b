// A player's actions as a list, for tables of cases: stylus events, waits, the commands that
// matter between them, and checks of the grid on the way.
#pragma once

#include "game_fixture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelvaro {

struct Play {
    enum Kind { down, move, up, doubleTap, wait, undo, redo, hint, gridIs } kind;
    int x = 0;
    int y = 0; // for wait, x is the time in ms
    BoardRows grid{};
};

inline Play Down(int x, int y) {
    return {Play::down, x, y};
}
inline Play Move(int x, int y) {
    return {Play::move, x, y};
}
inline Play Up() {
    return {Play::up};
}
inline Play DoubleTap(int x, int y) {
    return {Play::doubleTap, x, y};
}
inline Play Wait(int ms) {
    return {Play::wait, ms};
}
inline Play Undo() {
    return {Play::undo};
}
inline Play Redo() {
    return {Play::redo};
}
inline Play Hint() {
    return {Play::hint};
}
inline Play GridIs(BoardRows rows) {
    return {Play::gridIs, 0, 0, std::move(rows)};
}

// Plays the actions in order on a fixture's world; a grid check failing names its place.
class PlayScript : public GameFixture {
  protected:
    void play(const std::vector<Play>& actions) {
        int step = 0;
        for (const Play& a : actions) {
            SCOPED_TRACE("action " + std::to_string(step++));
            switch (a.kind) {
            case Play::down:
                down(a.x, a.y);
                break;
            case Play::move:
                move(a.x, a.y);
                break;
            case Play::up:
                up();
                break;
            case Play::doubleTap:
                doubleTap(a.x, a.y);
                break;
            case Play::wait:
                window.advance(static_cast<std::uint32_t>(a.x));
                break;
            case Play::undo:
                undoCommand(world);
                break;
            case Play::redo:
                redoCommand(world);
                break;
            case Play::hint:
                askHint(world);
                break;
            case Play::gridIs:
                EXPECT_EQ(gridRows(), a.grid);
                break;
            }
        }
    }
};

} // namespace kelvaro
