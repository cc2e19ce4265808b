// A puzzle with exactly one solution, made on a worker thread so that the window never waits
// for the search. The worker shares nothing with the game: it has a board and a random source
// of its own, and the user-interface thread reads its board only after joining it.
#pragma once

#include "engine/board.h"
#include "engine/unique_puzzle.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace kelvaro {

// What a preparation leaves: the unique puzzle of the seed, or, when none turned up within
// the candidate cap, the plain puzzle of the same seed.
struct PreparedPuzzle {
    Board board;
    bool unique = false;
    UniqueSearch search; // its `level` is the puzzle's when `unique`
};

// The puzzle of `size` that a unique number with this seed names: the first unique puzzle of
// a fresh source seeded with it, exactly as generateUniquePuzzle finds it; after `candidateCap`
// rejected candidates, the first plain puzzle of that fresh source instead. Looks at `stop`
// between candidates and returns false, with `out` unusable, once it is set.
bool prepareUniquePuzzle(PreparedPuzzle& out, std::int16_t size, std::uint32_t seed,
                         UniqueChoice choice, std::int32_t candidateCap,
                         const std::atomic<bool>& stop);

// One preparation at a time, owned by the user-interface thread.
struct PuzzlePreparation {
    PuzzlePreparation() = default;
    PuzzlePreparation(const PuzzlePreparation&) = delete;
    PuzzlePreparation& operator=(const PuzzlePreparation&) = delete;
    ~PuzzlePreparation();

    // Tests lower it to reach the plain fallback; the game never changes it, since the cap is
    // part of what a unique number means.
    std::int32_t candidateCap = uniqueCandidateCap;

    // From start to take or cancel: a puzzle is being prepared for the game.
    bool active = false;
    std::int16_t size = 0;
    std::uint32_t seed = 0;
    UniqueChoice choice = uniqueAnyLevel;
    std::uint32_t startTick = 0; // the window's tick when it began

    // The worker's alone until `done`; the user-interface thread's after joining it.
    PreparedPuzzle result;
    std::atomic<bool> stop{false};
    std::atomic<bool> done{false};
    std::thread worker;
};

// Starts preparing the puzzle for (size, seed, choice), after cancelling any preparation still
// going. `whenDone` runs on the worker once the puzzle is ready, and must only post to the
// user-interface thread. Should no thread be available, the work is done here and now, and
// `whenDone` is still called.
void startPreparation(PuzzlePreparation& preparation, std::int16_t size, std::uint32_t seed,
                      UniqueChoice choice, std::uint32_t startTick, std::function<void()> whenDone);

// True once the worker has finished and its puzzle waits to be taken.
bool preparationDone(const PuzzlePreparation& preparation);

// Joins the finished worker and ends the preparation: `result` is then the caller's to read.
// False, and nothing done, while the worker is still busy or nothing is being prepared.
bool takePreparedPuzzle(PuzzlePreparation& preparation);

// Stops the worker and joins it: it stops after the candidate it is examining (a few
// milliseconds, seldom up to about a tenth of a second), and nothing of it reaches the game.
// True when a preparation was going.
bool cancelPreparation(PuzzlePreparation& preparation);

// Blocks until the worker has finished, leaving its puzzle to be taken; for tests and
// measurements, which have no event loop to wait in.
void waitForPreparation(PuzzlePreparation& preparation);

} // namespace kelvaro
