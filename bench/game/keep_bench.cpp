// Keeping the unfinished game: one write of a hard game with 1,000 undo steps, to the file as
// the program writes it (a temporary file flushed to disk, renamed over the old one), and its
// text alone; putting it back at start-up, against the new game it replaces.
#include "game/kept_game_board.h"
#include "hard_game.h"
#include "store/kept_game.h"
#include "store/kept_game_file.h"
#include "store/memory_kept_game.h"
#include "thousand_steps.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace kelvaro {
namespace {

// The hard game, its clock started by a tap, its stroke lifted, with 1,000 steps behind it.
struct KeptHardGame : HardGame {
    KeptHardGame() {
        onStylusUp(world);
        addThousandSteps(world);
        world.settings.keepGame = 1;
    }
};

// A folder of its own for the kept file, removed with it.
struct KeptFolder {
    KeptFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelvaro-keep-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~KeptFolder() {
        if (!path.empty()) std::filesystem::remove_all(path);
    }
    std::filesystem::path file() const { return path / "kelvaro" / "kept-game.json"; }
    std::filesystem::path path;
};

// What a step of the player's costs the game: the game taken off the board, written as text
// and handed to the file's own thread, a second after the last write.
void BM_KeepHardGameOfAThousandStepsAfterAStep(benchmark::State& run) {
    KeptHardGame game;
    KeptFolder folder;
    KeptGameFile file(folder.file());
    game.world.keeping.store = &file;
    for (auto _ : run) {
        game.window.now += keepIntervalMs; // a second on: the step is written at once
        keepAfterStep(game.world);
    }
    run.counters["steps"] = static_cast<double>(game.world.history.stepEnds.size());
    run.counters["file kB"] = static_cast<double>(file.read().text.size()) / 1024.0;
}
BENCHMARK(BM_KeepHardGameOfAThousandStepsAfterAStep)->Unit(benchmark::kMicrosecond);

// The same game kept at close, at pause or on a signal: on the disk, flushed and renamed,
// before the call returns.
void BM_KeepHardGameOfAThousandStepsOnTheDisk(benchmark::State& run) {
    KeptHardGame game;
    KeptFolder folder;
    KeptGameFile file(folder.file());
    game.world.keeping.store = &file;
    for (auto _ : run) {
        if (!keepGameNow(game.world)) run.SkipWithError("not kept");
    }
}
BENCHMARK(BM_KeepHardGameOfAThousandStepsOnTheDisk)->Unit(benchmark::kMicrosecond);

void BM_KeptTextOfAHardGameOfAThousandSteps(benchmark::State& run) {
    KeptHardGame game;
    std::size_t bytes = 0;
    for (auto _ : run) {
        const std::string text = formatKeptGame(captureKeptGame(game.world));
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    run.counters["kB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_KeptTextOfAHardGameOfAThousandSteps)->Unit(benchmark::kMicrosecond);

// What start-up does instead of a new game when a game is kept: read, check against the
// puzzle made again from its number, and put on the board.
void BM_ResumeHardGameOfAThousandSteps(benchmark::State& run) {
    KeptHardGame game;
    MemoryKeptGame kept;
    game.world.keeping.store = &kept;
    keepGameNow(game.world);
    for (auto _ : run) {
        if (!resumeKeptGame(game.world)) run.SkipWithError("not resumed");
    }
}
BENCHMARK(BM_ResumeHardGameOfAThousandSteps)->Unit(benchmark::kMicrosecond);

// What start-up does without a kept game.
void BM_NewHardGame(benchmark::State& run) {
    HardGame game;
    for (auto _ : run) newGame(game.world);
}
BENCHMARK(BM_NewHardGame)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kelvaro
