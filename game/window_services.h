// Everything the game needs from the window system, behind one small interface.
#pragma once

#include "engine/board.h"
#include "model/layout.h"
#include "model/tick_source.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvaro {

enum MessageButtons : int { buttonsOk = 0, buttonsOkCancel = 1 };
constexpr int answerOk = 1;
constexpr int windowTimerId = 1;

class WindowServices : public TickSource {
  public:
    // Invalidates the whole client area without erasing; the paint follows when idle.
    virtual void requestRepaint() = 0;
    // Invalidates one rectangle of the client area.
    virtual void invalidateRect(const Rect& area, bool erase) = 0;
    // Delivers the pending paint now.
    virtual void updateNow() = 0;
    // Starts (or restarts) the timer with this identifier; returns the id to stop it with.
    virtual std::uint32_t startTimer(int id, int periodMs) = 0;
    virtual void stopTimer(std::uint32_t id) = 0;
    // Modal message box; texts are UTF-8. Returns answerOk (1) for OK.
    virtual int messageBox(std::string_view text, std::string_view caption,
                           MessageButtons buttons) = 0;
    // Modal dialogs and the menu's texts.
    virtual void runRulesDialog() = 0;
    virtual void runOptionsDialog() = 0;
    virtual void localiseMenu() = 0;
    // A small modal dialog asking for one line of text; false when the player cancels it.
    virtual bool askText(std::string_view prompt, std::string_view caption,
                         std::string& answer) = 0;
    // Puts a UTF-8 text on the clipboard.
    virtual void copyText(std::string_view text) = 0;
    // The system's print dialog, then the board's puzzle as at its start (its endpoints with
    // their lengths) with its number under it, on the printer the player chose.
    virtual void printPuzzle(const Board& board, std::string_view number) = 0;
    // The one call that comes from another thread: the worker preparing a puzzle has finished,
    // and the user-interface thread is to call puzzleReady soon, between two events. It only
    // posts, the way a message is posted to a window.
    virtual void postPuzzleReady() = 0;
    // Whether a message box or a dialog is open, its nested event loop delivering events.
    virtual bool modalOpen() = 0;
};

} // namespace kelvaro
