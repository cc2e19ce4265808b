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

// One animation step lasts as long as one tick of the splash's timer.
constexpr int splashStepMs = 60;
constexpr int splashTimerMs = 60;
constexpr std::uint32_t splashDurationMs = 5000;
// Paints beyond this count draw nothing; the splash itself lasts about 83 frames.
constexpr int lastSplashFrame = 2000;
constexpr int namePictureStep = 42;

constexpr int starCount = 100;
constexpr int ringPointCount = 90;

struct SplashScene {
    std::array<Star, starCount> starField{};
    std::array<RingPoint, ringPointCount> ringPoints{};
    double depthScale = 0.0;
    bool prepared = false;           // stars and ring made, by the opening frame
    std::int16_t namePictureDue = 0; // set at step 42; the next frame draws the name picture
};

} // namespace kelvaro
