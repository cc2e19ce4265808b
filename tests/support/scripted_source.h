// Random sources that play back lists of draws, for pinning exactly where draws happen and
// what each one does.
#pragma once

#include "engine/random_source.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kelvaro {

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

// Repeats a fixed list of numbers for as long as it is asked, so a test knows every star and
// twinkle of a long animation from a short list.
class RepeatingSource final : public RandomSource {
  public:
    explicit RepeatingSource(std::vector<std::int32_t> values) : values_(std::move(values)) {}
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

// Always the same draw: a generator may fail every attempt on it, and a search for a unique
// puzzle meets the same candidate again and again.
class ConstantSource final : public RandomSource {
  public:
    explicit ConstantSource(std::int32_t value) : value_(value) {}
    std::int32_t draw() override { return value_; }

  private:
    std::int32_t value_;
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

} // namespace kelvaro
