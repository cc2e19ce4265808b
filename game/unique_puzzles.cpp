#include "game/unique_puzzles.h"

#include "game/lifecycle.h"
#include "game/save_records.h"

namespace kelvaro {

void toggleUniquePuzzles(GameWorld& world) {
    chooseUniquePuzzles(world, world.settings.unique != uniqueOff ? uniqueOff : uniqueAnyLevel);
}

void chooseUniquePuzzles(GameWorld& world, UniqueChoice choice) {
    endSplash(world);
    world.settings.unique = choice;
    saveRecords(world);
}

bool preparingPuzzle(const GameWorld& world) {
    return world.preparation.active;
}

void prepareUniqueGame(GameWorld& world, const PuzzleNumber& number) {
    if (world.keptNumber == number) {
        world.board = world.keptPuzzle;
        world.puzzleLevel = world.keptLevel;
        return;
    }
    world.board = Board{};
    world.board.boardSize = number.size;
    // The worker holds the window services, which outlive every game.
    WindowServices& window = world.window;
    startPreparation(world.preparation, number.size, number.seed, number.unique, window.tickCount(),
                     [&window] { window.postPuzzleReady(); });
}

void puzzleReady(GameWorld& world) {
    if (!takePreparedPuzzle(world.preparation)) return;
    const PreparedPuzzle& made = world.preparation.result;
    world.board = made.board;
    if (made.unique) {
        world.keptPuzzle = made.board;
        world.keptNumber = world.puzzle;
        world.keptLevel = made.search.level;
        world.puzzleLevel = made.search.level;
    } else {
        world.puzzle.unique = uniqueOff;
        // Only a plain puzzle can have failed to generate, as at any new game.
        warnIfGenerationFailed(world);
    }
    // The splash hides the board and repaints it whole when it ends; a whole frame now would
    // present the whole buffer over the splash's own pictures and lines.
    if (world.state.splashTick == 0) requestWholeRepaint(world);
}

bool preparingNoteShown(const GameWorld& world, std::uint32_t now) {
    return preparingPuzzle(world) && now - world.preparation.startTick > preparingNoteDelayMs;
}

std::uint32_t preparingNoteDueIn(const GameWorld& world, std::uint32_t now) {
    if (!preparingPuzzle(world) || preparingNoteShown(world, now)) return 0;
    return preparingNoteDelayMs + 1 - (now - world.preparation.startTick);
}

} // namespace kelvaro
