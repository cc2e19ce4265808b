#include "game/unique_preparation.h"

#include "engine/puzzle_number.h"
#include "engine/random_source.h"

#include <system_error>
#include <utility>

namespace kelvaro {

bool prepareUniquePuzzle(PreparedPuzzle& out, std::int16_t size, std::uint32_t seed,
                         UniqueChoice choice, std::int32_t candidateCap,
                         const std::atomic<bool>& stop) {
    out.board = Board{};
    out.board.boardSize = size;
    out.search = UniqueSearch{};
    out.search.levels = levelsFor(choice);
    out.unique = false;
    Mt19937Source random(seed);
    while (out.search.verdict == uniqueSearching) {
        if (stop.load(std::memory_order_relaxed)) return false;
        if (out.search.candidates >= candidateCap) {
            out.search.verdict = uniqueGaveUp;
            break;
        }
        uniqueSearchStep(out.search, out.board, random);
    }
    if (out.search.verdict == uniqueFound) {
        out.unique = true;
        return true;
    }
    // No unique puzzle within the cap: the plain puzzle of the same seed, as its plain number
    // names it.
    out.board = Board{};
    generateNumberedPuzzle(out.board, random, PuzzleNumber{size, seed, uniqueOff});
    return true;
}

PuzzlePreparation::~PuzzlePreparation() {
    cancelPreparation(*this);
}

void startPreparation(PuzzlePreparation& preparation, std::int16_t size, std::uint32_t seed,
                      UniqueChoice choice, std::uint32_t startTick,
                      std::function<void()> whenDone) {
    cancelPreparation(preparation);
    preparation.active = true;
    preparation.size = size;
    preparation.seed = seed;
    preparation.choice = choice;
    preparation.startTick = startTick;
    preparation.stop.store(false);
    preparation.done.store(false);
    // The worker gets copies of everything it needs and touches only `result`, `stop` (read)
    // and `done`.
    auto work = [&preparation, size, seed, choice, cap = preparation.candidateCap,
                 whenDone = std::move(whenDone)] {
        if (!prepareUniquePuzzle(preparation.result, size, seed, choice, cap, preparation.stop))
            return;
        preparation.done.store(true, std::memory_order_release);
        if (whenDone) whenDone();
    };
    try {
        // A copy, so that `work` is still whole should the thread fail to start.
        preparation.worker = std::thread(work);
    } catch (const std::system_error&) {
        // No thread to be had: the window waits this once rather than never getting a puzzle.
        work();
    }
}

bool preparationDone(const PuzzlePreparation& preparation) {
    return preparation.active && preparation.done.load(std::memory_order_acquire);
}

bool takePreparedPuzzle(PuzzlePreparation& preparation) {
    if (!preparationDone(preparation)) return false;
    if (preparation.worker.joinable()) preparation.worker.join();
    preparation.active = false;
    return true;
}

bool cancelPreparation(PuzzlePreparation& preparation) {
    const bool wasActive = preparation.active;
    preparation.stop.store(true);
    if (preparation.worker.joinable()) preparation.worker.join();
    // A worker that finished just before leaves nothing to take either.
    preparation.done.store(false);
    preparation.active = false;
    return wasActive;
}

void waitForPreparation(PuzzlePreparation& preparation) {
    if (preparation.worker.joinable()) preparation.worker.join();
}

} // namespace kelvaro
