// The real main window under test: offscreen, with a clock advanced by hand, message boxes
// recorded and answered from a script, dialogs handed to the test instead of being run,
// and the settings file in a temporary folder.
#pragma once

#include "app/main_frame.h"
#include "store/file_registry.h"
#include "store/settings_store.h"
#include "widget_application.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelvaro {

struct ShownBox {
    std::string text;
    std::string caption;
    MessageButtons buttons;
};

class FrameHarness {
  public:
    // Saves these settings first, so that the window starts with them. Unless start is
    // false, the window is shown and made active, as the program does. The keeper, if any,
    // holds the unfinished game between windows.
    explicit FrameHarness(std::optional<Settings> stored = std::nullopt,
                          std::uint32_t seed = 20261209, bool start = true,
                          KeptGameStore* keeper = nullptr) {
        ensureWidgetApplication();
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        registry = std::make_unique<FileRegistry>();
        if (stored) {
            Statistics none;
            saveSettings(*stored, none, *registry);
        }
        QtWindowServices::Scripts scripts;
        scripts.clock = [this] { return now; };
        scripts.messageBox = [this](std::string_view text, std::string_view caption,
                                    MessageButtons buttons) {
            boxes.push_back({std::string(text), std::string(caption), buttons});
            if (answers.empty()) return answerOk;
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        };
        scripts.dialog = [this](QDialog& dialog) {
            ++dialogsRun;
            return insideDialog ? insideDialog(dialog) : int(QDialog::Accepted);
        };
        frame = std::make_unique<MainFrame>(*registry, seed, scripts, std::nullopt, keeper);
        if (!start) return;
        frame->showAndStart();
        frame->activateWindow();
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(frame.get());
        QApplication::processEvents();
    }

    GameWorld& world() { return frame->world(); }
    GameState& state() { return frame->world().state; }
    Board& board() { return frame->world().board; }
    QWidget* area() { return frame->gameArea(); }

    void advance(std::uint32_t ms) { now += ms; }

    // The window position of the centre of a board cell.
    QPoint cellCentre(int x, int y) const {
        const GameState& s = frame->world().state;
        const Rect cell{s.boardLeft + x * cellPixels, s.boardTop + y * cellPixels,
                        s.boardLeft + (x + 1) * cellPixels, s.boardTop + (y + 1) * cellPixels};
        return widgetRect(frame->placement(), cell).center();
    }

    // Stylus gestures made of real mouse events, each a little later on the clock.
    void tap(int x, int y) {
        advance(300);
        QTest::mouseClick(area(), Qt::LeftButton, {}, cellCentre(x, y));
    }
    void press(int x, int y) {
        advance(300);
        QTest::mousePress(area(), Qt::LeftButton, {}, cellCentre(x, y));
    }
    void moveTo(int x, int y) {
        advance(50);
        QTest::mouseMove(area(), cellCentre(x, y));
    }
    void release(int x, int y) {
        advance(50);
        QTest::mouseRelease(area(), Qt::LeftButton, {}, cellCentre(x, y));
    }

    // A tap that ends the splash; it lands off the board, so no clock starts.
    void skipSplash() {
        advance(300);
        QTest::mouseClick(area(), Qt::LeftButton, {},
                          widgetRect(frame->placement(), {0, 0, 1, 1}).center());
    }

    void command(int commandId) { frame->commandAction(commandId)->trigger(); }

    QTemporaryDir config;
    std::unique_ptr<FileRegistry> registry;
    std::unique_ptr<MainFrame> frame;
    std::uint32_t now = 100000;
    std::vector<ShownBox> boxes;
    std::deque<int> answers; // empty: OK
    int dialogsRun = 0;
    std::function<int(QDialog&)> insideDialog; // empty: the dialog is accepted untouched
};

// The window's own pixels, as its last paints left them; no paint runs to get them.
inline QImage onScreen(FrameHarness& h) {
    QApplication::processEvents();
    const QPoint origin = h.area()->mapTo(h.frame.get(), QPoint(0, 0));
    return h.frame->screen()
        ->grabWindow(h.frame->winId(), origin.x(), origin.y(), h.area()->width(),
                     h.area()->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// What the window shows when it shows the back buffer and nothing over it.
inline QImage bufferAsShown(FrameHarness& h) {
    const GameAreaPlacement& p = h.frame->placement();
    QImage expected(h.area()->size(), QImage::Format_RGB32);
    expected.fill(Qt::black);
    const QImage scaled = h.frame->backBuffer().image.scaled(p.target.size());
    for (int y = 0; y < scaled.height(); ++y) {
        for (int x = 0; x < scaled.width(); ++x) {
            expected.setPixel(p.target.left() + x, p.target.top() + y, scaled.pixel(x, y));
        }
    }
    return expected;
}

} // namespace kelvaro
