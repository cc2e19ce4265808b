// A window for benchmarks that does nothing, with a clock that moves on 16 ms per reading, as
// stylus moves arrive.
#pragma once

#include "game/window_services.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvaro {

class QuietWindow final : public WindowServices {
  public:
    std::uint32_t now = 100000;
    std::uint32_t tickCount() override { return now += 16; }
    void requestRepaint() override {}
    void invalidateRect(const Rect&, bool) override {}
    void updateNow() override {}
    std::uint32_t startTimer(int id, int) override { return static_cast<std::uint32_t>(id); }
    void stopTimer(std::uint32_t) override {}
    int messageBox(std::string_view, std::string_view, MessageButtons) override { return 1; }
    void runRulesDialog() override {}
    void runOptionsDialog() override {}
    void localiseMenu() override {}
    bool askText(std::string_view, std::string_view, std::string&) override { return false; }
    void copyText(std::string_view) override {}
    void printPuzzle(const Board&, std::string_view) override {}
    void postPuzzleReady() override {}
    bool modalOpen() override { return false; }
};

} // namespace kelvaro
