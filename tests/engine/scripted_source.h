// A random source that plays back a list of draws, for pinning exactly where draws happen.
#pragma once

#include "engine/random_source.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace kelvaro::testing {

class ScriptedSource final : public RandomSource {
  public:
    explicit ScriptedSource(std::vector<std::int32_t> script) : script_(std::move(script)) {}
    // Past the end of the script every draw is 0 and counts as an overrun.
    std::int32_t draw() override {
        const std::size_t i = used_++;
        return i < script_.size() ? script_[i] : 0;
    }
    std::size_t used() const { return used_; }

  private:
    std::vector<std::int32_t> script_;
    std::size_t used_ = 0;
};

// Wraps a source and keeps every draw it hands out.
class RecordingSource final : public RandomSource {
  public:
    explicit RecordingSource(RandomSource& inner) : inner_(inner) {}
    std::int32_t draw() override {
        draws.push_back(inner_.draw());
        return draws.back();
    }
    std::vector<std::int32_t> draws;

  private:
    RandomSource& inner_;
};

} // namespace kelvaro::testing
