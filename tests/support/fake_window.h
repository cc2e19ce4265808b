// A window system for tests: a clock advanced by hand, a recorded timer and repaints, and
// message boxes that are recorded and answered from a script.
#pragma once

#include "game/window_services.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

struct MessageBoxCall {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    bool operator==(const MessageBoxCall&) const = default;
};

struct TextQuestion {
    std::string prompt;
    std::string caption;
};

struct InvalidatedRect {
    Rect area;
    bool erase;
};

class FakeWindow final : public WindowServices {
  public:
    // The clock. Starts well away from 0, since a tick of 0 means "not started" to the game.
    std::uint32_t now = 100000;
    void advance(std::uint32_t ms) { now += ms; }
    std::uint32_t tickCount() override { return now; }

    // Repaints.
    int repaintRequests = 0;
    int immediateUpdates = 0;
    std::vector<InvalidatedRect> invalidatedRects;
    void requestRepaint() override { ++repaintRequests; }
    void invalidateRect(const Rect& area, bool erase) override {
        invalidatedRects.push_back({area, erase});
    }
    void updateNow() override { ++immediateUpdates; }

    // The one window timer. Like the platform, a start returns the identifier to stop it with;
    // a stop with any other value leaves the timer running.
    bool timerRunning = false;
    int timerPeriodMs = 0;
    int timerStarts = 0;
    int timerStops = 0;
    std::uint32_t startTimer(int id, int periodMs) override {
        timerRunning = true;
        timerPeriodMs = periodMs;
        ++timerStarts;
        runningId_ = static_cast<std::uint32_t>(id);
        return runningId_;
    }
    void stopTimer(std::uint32_t id) override {
        ++timerStops;
        if (timerRunning && id == runningId_) timerRunning = false;
    }

    // Message boxes: each is recorded; the answer is the next scripted one, or OK when the
    // script is empty. whileMessageBoxOpen runs inside the box, as the nested message loop
    // lets timer ticks and paints through.
    std::vector<MessageBoxCall> messageBoxes;
    std::deque<int> scriptedAnswers;
    std::function<void(const MessageBoxCall&)> whileMessageBoxOpen;
    void answerNext(int answer) { scriptedAnswers.push_back(answer); }
    int messageBox(std::string_view text, std::string_view caption,
                   MessageButtons buttons) override {
        messageBoxes.push_back({std::string(text), std::string(caption), buttons});
        if (whileMessageBoxOpen) whileMessageBoxOpen(messageBoxes.back());
        if (scriptedAnswers.empty()) return answerOk;
        const int answer = scriptedAnswers.front();
        scriptedAnswers.pop_front();
        return answer;
    }

    // Modal dialogs and the menu: counted, with an optional action standing for what the
    // player does inside the dialog.
    int rulesDialogRuns = 0;
    int optionsDialogRuns = 0;
    int menuLocalisations = 0;
    std::function<void()> insideOptionsDialog;
    std::function<void()> insideRulesDialog;
    void runRulesDialog() override {
        ++rulesDialogRuns;
        if (insideRulesDialog) insideRulesDialog();
    }
    void runOptionsDialog() override {
        ++optionsDialogRuns;
        if (insideOptionsDialog) insideOptionsDialog();
    }
    void localiseMenu() override { ++menuLocalisations; }

    // The text dialog answers from a script: each entry is what the player types, or nothing
    // for Cancel; an empty script cancels. The clipboard keeps what was copied last.
    std::vector<TextQuestion> textQuestions;
    std::deque<std::optional<std::string>> typedTexts;
    std::string clipboard;
    bool askText(std::string_view prompt, std::string_view caption, std::string& answer) override {
        textQuestions.push_back({std::string(prompt), std::string(caption)});
        if (typedTexts.empty()) return false;
        const std::optional<std::string> typed = typedTexts.front();
        typedTexts.pop_front();
        if (!typed) return false;
        answer = *typed;
        return true;
    }
    void copyText(std::string_view text) override { clipboard = std::string(text); }
    // The numbers of the puzzles sent to the print dialog, and the last one's solution.
    void printPuzzle(const Board& board, std::string_view number) override {
        printed.push_back(std::string(number));
        printedSolution = board.solution;
    }
    std::vector<std::string> printed;
    Layer printedSolution{};

    // The preparing worker's word that its puzzle is ready; it comes from the worker's thread.
    // Nothing is delivered: a test calls puzzleReady itself, when it wants.
    struct PostCount {
        std::atomic<int> count{0};
        PostCount() = default;
        // A window double is copied whole between cases of a table; the count goes along.
        PostCount(const PostCount& other) : count(other.count.load()) {}
        PostCount& operator=(const PostCount& other) {
            count = other.count.load();
            return *this;
        }
        int load() const { return count.load(); }
    };
    PostCount puzzleReadyPosts;
    void postPuzzleReady() override { ++puzzleReadyPosts.count; }
    // Set by a test to stand for a box or dialog open while the game is called.
    bool boxOpen = false;
    bool modalOpen() override { return boxOpen; }

  private:
    std::uint32_t runningId_ = 0;
};

// The answer a platform gives for Cancel: anything but OK.
constexpr int answerCancel = 2;

} // namespace kelvaro
