#include "game/clock.h"

#include "game/game_keeping.h"
#include "game/lifecycle.h"

namespace kelvaro {

void pauseGame(GameWorld& world) {
    GameState& state = world.state;
    if (state.tapCount == 0 || state.gamePhase != phasePlaying) return;
    state.pauseTick = world.window.tickCount();
    state.gamePhase = phasePaused;
    stopWindowTimer(world);
    requestWholeRepaint(world);
    keepGameNow(world);
}

void onTimer(GameWorld& world) {
    GameState& state = world.state;
    if (state.splashTick != 0) {
        if (world.splashTimerStep) world.splashTimerStep(world);
        return;
    }
    if (state.gamePhase == phasePlaying && state.tapCount != 0) {
        state.repaintMode = repaintStatus;
        world.window.requestRepaint();
        world.window.updateNow();
        keepIfDue(world);
    }
}

} // namespace kelvaro
