// The window services the game logic uses, provided by Qt for the main window.
#pragma once

#include "dialogs/colour_picker.h"
#include "game/window_services.h"

#include <QBasicTimer>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class QDialog;

namespace kelvaro {

class MainFrame;

// Answer of a message box that was not accepted, as the device's Cancel.
constexpr int answerCancelButton = 2;

class QtWindowServices final : public WindowServices {
  public:
    // Stand-ins for the modal parts and the clock, so that a test never waits for a person
    // or for time. Each one left empty uses the real thing.
    struct Scripts {
        std::function<int(std::string_view text, std::string_view caption, MessageButtons)>
            messageBox;
        // Receives the dialog instead of its exec() and returns what exec() would have.
        std::function<int(QDialog& dialog)> dialog;
        ColourPicker colourPicker;
        std::function<std::uint32_t()> clock;
    };

    QtWindowServices(MainFrame& frame, Scripts scripts);

    void requestRepaint() override;
    void invalidateRect(const Rect& area, bool erase) override;
    void updateNow() override;
    std::uint32_t startTimer(int id, int periodMs) override;
    void stopTimer(std::uint32_t id) override;
    int messageBox(std::string_view text, std::string_view caption,
                   MessageButtons buttons) override;
    void runRulesDialog() override;
    void runOptionsDialog() override;
    void localiseMenu() override;
    bool askText(std::string_view prompt, std::string_view caption, std::string& answer) override;
    void copyText(std::string_view text) override;
    void printPuzzle(const Board& board, std::string_view number) override;
    void postPuzzleReady() override;
    bool modalOpen() override;
    std::uint32_t tickCount() override;

    // Whether a Qt timer event belongs to the window timer.
    bool isWindowTimer(int qtTimerId) const { return windowTimer.timerId() == qtTimerId; }
    // The running window timer's period in ms; 0 when it is stopped.
    int windowTimerPeriod() const { return windowTimer.isActive() ? timerPeriod : 0; }

  private:
    int runDialog(QDialog& dialog);

    // Message boxes and dialogs open now, stand-ins included.
    int modalDepth = 0;

    MainFrame& frame;
    Scripts scripts;
    QBasicTimer windowTimer;
    int timerPeriod = 0;
};

} // namespace kelvaro
