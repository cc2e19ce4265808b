// The splash's painter: one frame per paint request while the splash shows.
#pragma once

#include "engine/random_source.h"
#include "model/game_state.h"
#include "model/layout.h"
#include "model/splash_scene.h"
#include "model/tick_source.h"
#include "render/back_buffer.h"

#include <string_view>

namespace kelvaro {

constexpr Rect webAddressRect{0, 240, 240, 270};
constexpr std::string_view webAddressText = "www.kelvaro.example.org";

// Counts the paint in state.splashFrame and draws that frame into the buffer: the opening
// frame (black, credit and web-address lines; stars and ring prepared in scene) on the second
// paint, then the star field with the ring, the flare and, once, the name picture. Returns the
// area to present: the whole buffer, or an empty area when the paint draws nothing (the first
// paint, paints past the last frame, or no back buffer yet).
Rect paintSplash(BackBuffer& buffer, GameState& state, SplashScene& scene, RandomSource& random,
                 TickSource& ticks);

} // namespace kelvaro
