// The main window's costs: a stylus move from the mouse event to the presented frame, the
// start-up to the first painted frame (and to a playable unique 12 x 12 puzzle), and the
// resident memory of a running game.
#include "app/commands.h"
#include "app/main_frame.h"
#include "game/kept_game_board.h"
#include "game/unique_puzzles.h"
#include "hard_game.h"
#include "store/file_registry.h"
#include "store/kept_game.h"
#include "store/kept_game_file.h"
#include "store/settings_store.h"
#include "thousand_steps.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace kelvaro {
namespace {

// How long the application object took to make, the part of the program's start-up that
// comes before the main window.
double applicationMs = 0;

QApplication& application() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "app_bench";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics must not outlive it at exit.
    static QApplication* app = [] {
        const auto begin = std::chrono::steady_clock::now();
        auto* made = new QApplication(argc, argv);
        applicationMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
                .count();
        return made;
    }();
    return *app;
}

// A settings folder of its own, holding the chosen difficulty, Unique puzzles and Keep
// unfinished game options; the kept game's folder is in it too.
struct Desk {
    explicit Desk(int difficulty, int unique = 0, int keepGame = 0) {
        application();
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("XDG_STATE_HOME", (config.path() + QStringLiteral("/state")).toUtf8());
        registry = std::make_unique<FileRegistry>();
        keeper = std::make_unique<KeptGameFile>();
        Settings settings;
        settings.difficulty = difficulty;
        settings.unique = unique;
        settings.keepGame = keepGame;
        saveSettings(settings, Statistics{}, *registry);
    }
    QTemporaryDir config;
    std::unique_ptr<FileRegistry> registry;
    std::unique_ptr<KeptGameFile> keeper;
};

void sendMouse(QWidget* area, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, area->mapToGlobal(pos),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
    QApplication::sendEvent(area, &event);
}

// The widget position of a board cell's centre.
QPoint cellCentre(MainFrame& frame, Cell c) {
    const GameState& s = frame.world().state;
    return widgetRect(frame.placement(), {s.boardLeft + c.x * 20, s.boardTop + c.y * 20,
                                          s.boardLeft + c.x * 20 + 20, s.boardTop + c.y * 20 + 20})
        .center();
}

// A tap that ends the splash, then the press that a stroke starts with.
void pressOnFirstCell(QWidget* area, QPoint first) {
    sendMouse(area, QEvent::MouseButtonPress, first, Qt::LeftButton);
    sendMouse(area, QEvent::MouseButtonRelease, first, Qt::NoButton);
    sendMouse(area, QEvent::MouseButtonPress, first, Qt::LeftButton);
}

// A path through every cell of the 12 x 12 board, column by column, down and up in turn.
std::vector<Cell> snake() {
    std::vector<Cell> path;
    for (int x = 0; x < 12; ++x) {
        for (int i = 0; i < 12; ++i) {
            const int y = x % 2 == 0 ? i : 11 - i;
            path.push_back({static_cast<std::int8_t>(x), static_cast<std::int8_t>(y)});
        }
    }
    return path;
}

void BM_StylusMoveToPresentedFrame(benchmark::State& bench) {
    Desk desk(2);
    MainFrame frame(*desk.registry, 1);
    frame.showAndStart();
    const int factor = static_cast<int>(bench.range(0));
    if (factor > 0) frame.resize(240 * factor + 40, 270 * factor + 120);
    QApplication::processEvents();
    QWidget* area = frame.gameArea();
    const auto centre = [&frame](Cell c) { return cellCentre(frame, c); };
    const std::vector<Cell> path = snake();
    pressOnFirstCell(area, centre(path[0]));
    QApplication::processEvents();
    std::size_t step = 1;
    for (auto _ : bench) {
        sendMouse(area, QEvent::MouseMove, centre(path[step]), Qt::LeftButton);
        frame.paintPendingNow();
        step = step + 1 < path.size() ? step + 1 : 1;
    }
    bench.counters["factor"] = frame.placement().factor;
    bench.counters["presented px"] = frame.lastPresented().boundingRect().width() *
                                     frame.lastPresented().boundingRect().height();
}
// 0: the first size the program picks for this screen; then fixed factors.
BENCHMARK(BM_StylusMoveToPresentedFrame)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Unit(benchmark::kMicrosecond);

// Undo or redo of a 100-cell step, from the command to the presented frame, at a factor of 2.
void BM_UndoRedoToPresentedFrame(benchmark::State& bench) {
    Desk desk(2);
    MainFrame frame(*desk.registry, 1);
    frame.showAndStart();
    frame.resize(240 * 2 + 40, 270 * 2 + 120);
    QApplication::processEvents();
    QWidget* area = frame.gameArea();
    const auto centre = [&frame](Cell c) { return cellCentre(frame, c); };
    const std::vector<Cell> path = snake();
    pressOnFirstCell(area, centre(path[0]));
    const UndoHistory& history = frame.world().history;
    for (std::size_t step = 1; step < path.size(); ++step) {
        // The step's cells so far: the drawn ones differ from the puzzle's empty grid.
        int drawn = 0;
        for (int i = 0; i < layerCells; ++i)
            drawn += frame.world().board.grid[i] != 0 && frame.world().board.solution[i] <= 0;
        if (drawn >= 100) break;
        sendMouse(area, QEvent::MouseMove, centre(path[step]), Qt::LeftButton);
    }
    sendMouse(area, QEvent::MouseButtonRelease, centre(path[0]), Qt::NoButton);
    QApplication::processEvents();
    if (history.changes.size() != 100 || frame.placement().factor != 2) {
        bench.SkipWithError("no 100-cell step at a factor of 2");
        return;
    }
    QAction* undo = frame.commandAction(commandUndo);
    QAction* redo = frame.commandAction(commandRedo);
    for (auto _ : bench) {
        (canUndo(history) ? undo : redo)->trigger();
        frame.paintPendingNow();
    }
    bench.counters["cells"] = static_cast<double>(history.changes.size());
    bench.counters["presented px"] = frame.lastPresented().boundingRect().width() *
                                     frame.lastPresented().boundingRect().height();
}
BENCHMARK(BM_UndoRedoToPresentedFrame)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

void BM_StartUpToFirstPaintedFrame(benchmark::State& bench) {
    Desk desk(0);
    long resident = 0;
    for (auto _ : bench) {
        const auto begin = std::chrono::steady_clock::now();
        MainFrame frame(*desk.registry, 1);
        frame.showAndStart();
        while (frame.framesPainted() == 0) QApplication::processEvents(QEventLoop::AllEvents, 5);
        const auto end = std::chrono::steady_clock::now();
        bench.SetIterationTime(std::chrono::duration<double>(end - begin).count());
        resident = residentKilobytes();
    }
    bench.counters["RSS MB"] = static_cast<double>(resident) / 1024.0;
    bench.counters["QApplication ms"] = applicationMs;
}
BENCHMARK(BM_StartUpToFirstPaintedFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

// A hard game at start-up, from the main window's construction to its first painted frame:
// a new game, or (with range 1) a kept game of 1,000 steps read, checked against its puzzle
// made again, and put on the board paused. The difference is what keeping games adds.
void BM_StartUpToFirstPaintedFrameOfAHardGame(benchmark::State& bench) {
    const bool kept = bench.range(0) == 1;
    Desk desk(2, 0, kept ? 1 : 0);
    if (kept) {
        HardGame game;
        onStylusUp(game.world);
        addThousandSteps(game.world);
        desk.keeper->write(formatKeptGame(captureKeptGame(game.world)));
    }
    std::vector<double> ms;
    for (auto _ : bench) {
        const auto begin = std::chrono::steady_clock::now();
        MainFrame frame(*desk.registry, 1, {}, std::nullopt, desk.keeper.get());
        frame.showAndStart();
        while (frame.framesPainted() == 0) QApplication::processEvents(QEventLoop::AllEvents, 5);
        const auto end = std::chrono::steady_clock::now();
        if (kept && frame.world().state.gamePhase != phasePaused)
            bench.SkipWithError("the kept game was not resumed");
        ms.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
        bench.SetIterationTime(ms.back() / 1000.0);
    }
    std::sort(ms.begin(), ms.end());
    bench.counters["median ms"] = ms[ms.size() / 2];
}
BENCHMARK(BM_StartUpToFirstPaintedFrameOfAHardGame)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);

// With Unique puzzles on, from the main window's construction to a 12 x 12 puzzle with one
// solution on the board and painted: the wait a player could feel at the first start. Each
// start has another seed, so the figures spread over as many puzzles.
void BM_StartUpToPlayableUniqueGame(benchmark::State& bench) {
    Desk desk(2, 1);
    std::vector<double> ms;
    std::uint32_t seed = 1;
    for (auto _ : bench) {
        const auto begin = std::chrono::steady_clock::now();
        MainFrame frame(*desk.registry, seed++);
        frame.showAndStart();
        while (preparingPuzzle(frame.world()) || frame.framesPainted() == 0)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
        bench.SetIterationTime(ms.back() / 1000.0);
    }
    std::sort(ms.begin(), ms.end());
    bench.counters["median ms"] = ms[ms.size() / 2];
    bench.counters["95% ms"] = ms[(ms.size() * 95 + 99) / 100 - 1];
    bench.counters["worst ms"] = ms.back();
}
BENCHMARK(BM_StartUpToPlayableUniqueGame)
    ->UseManualTime()
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelvaro
