// Starting the splash and its share of the window timer. The painting is render/splash_paint.
#pragma once

#include "game/game_world.h"
#include "model/splash_scene.h"

namespace kelvaro {

// Run at the end of the main window's start-up, after the first newGame: counts frames
// from 0, remembers the start tick and runs the window timer at 60 ms. From then on the
// window timer's ticks go to splashTimerStep (with this scene) until the splash ends, so
// the scene must outlive the splash.
void startSplash(GameWorld& world, const SplashScene& scene);

// One tick of the window timer while the splash shows: after 5000 ms the splash ends and
// the game is painted at once; before that, the frames after the opening one ask only for
// the star field (and the name picture's area while it is due), so the lines drawn on the
// opening frame stay on the screen.
void splashTimerStep(GameWorld& world, const SplashScene& scene);

} // namespace kelvaro
