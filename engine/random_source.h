// The pseudo-random source shared by the generator and the splash.
#pragma once

#include <cstdint>
#include <random>

namespace kelvaro {

// Returns non-negative integers; callers reduce them as they need (AND 3, mod n, ...).
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual std::int32_t draw() = 0;
    // Starts the source again from a seed, so that a puzzle number names one puzzle. Sources
    // that play back a fixed script have no seed and ignore it.
    virtual void reseed(std::uint32_t /*seed*/) {}
};

// std::mt19937 is fully specified by the standard, so a seed gives the same puzzles
// with every compiler; the shift keeps each draw non-negative.
class Mt19937Source final : public RandomSource {
  public:
    explicit Mt19937Source(std::uint32_t seed) : engine_(seed) {}
    std::int32_t draw() override { return static_cast<std::int32_t>(engine_() >> 1); }
    // The same state as a source made with this seed.
    void reseed(std::uint32_t seed) override { engine_.seed(seed); }

  private:
    std::mt19937 engine_;
};

} // namespace kelvaro
