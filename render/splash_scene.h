// What the splash keeps between its frames: the stars, the ring and the name picture's turn.
// Plain data with no Qt, so that the splash's timer step in game/ can read namePictureDue.
#pragma once

#include <array>
#include <cstdint>

namespace kelvaro {

struct Star {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint16_t brightness = 0; // 0 to 255
};

// A ring point at scale 1: X lateral, Y depth (towards the viewer is positive).
struct RingPoint {
    double x = 0.0;
    double y = 0.0;
};

constexpr int starCount = 100;
constexpr int ringPointCount = 90;

struct SplashScene {
    std::array<Star, starCount> starField{};
    std::array<RingPoint, ringPointCount> ringPoints{};
    double depthScale = 0.0;
    std::int16_t namePictureDue = 0; // set at step 42; the next frame draws the name picture
};

} // namespace kelvaro
