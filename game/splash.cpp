#include "game/splash.h"

#include "game/lifecycle.h"
#include "model/layout.h"

namespace kelvaro {

void startSplash(GameWorld& world, const SplashScene& scene) {
    GameState& state = world.state;
    state.splashFrame = 0;
    // A splashTick of 0 means "no splash", so a start on tick 0 is moved by one millisecond.
    const std::uint32_t now = world.window.tickCount();
    state.splashTick = now != 0 ? now : 1;
    startWindowTimer(world, splashTimerMs);
    world.splashTimerStep = [&scene](GameWorld& w) { splashTimerStep(w, scene); };
}

void splashTimerStep(GameWorld& world, const SplashScene& scene) {
    GameState& state = world.state;
    if (state.splashTick == 0) return;
    if (world.window.tickCount() - state.splashTick > splashDurationMs) {
        endSplash(world);
        requestWholeRepaint(world);
        world.window.updateNow();
    } else if (state.splashFrame > 1) {
        world.window.invalidateRect(starFieldRect, false);
        if (scene.namePictureDue != 0) world.window.invalidateRect(pictureRect, false);
    } else {
        // The opening frame has not been drawn yet (no back buffer at the first paint).
        requestWholeRepaint(world);
    }
}

} // namespace kelvaro
