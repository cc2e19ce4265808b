// A random source that repeats a fixed list of numbers, so a test knows every star and twinkle.
#pragma once

#include "engine/random_source.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kelvaro {

class ScriptedRandom final : public RandomSource {
  public:
    explicit ScriptedRandom(std::vector<std::int32_t> values) : values_(std::move(values)) {}
    std::int32_t draw() override {
        const std::int32_t value = values_[drawn_ % values_.size()];
        ++drawn_;
        return value;
    }
    std::size_t drawn() const { return drawn_; }

  private:
    std::vector<std::int32_t> values_;
    std::size_t drawn_ = 0;
};

} // namespace kelvaro
