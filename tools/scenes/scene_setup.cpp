#include "tools/scenes/scene_setup.h"

#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/random_source.h"
#include "engine/trace.h"
#include "model/layout.h"

#include <algorithm>

namespace kelvaro {
namespace {

constexpr std::uint32_t startTick = 1000;
constexpr std::uint32_t playedMs = 83400;

void startClock(Scene& scene) {
    scene.state.tapCount = 12;
    scene.state.startTick = startTick;
    scene.tick = startTick + playedMs;
}

// First endpoint of a symbol in board order, or (-1, -1).
Cell endpointOf(const Board& board, int symbol) {
    for (int x = 0; x < board.boardSize; ++x)
        for (int y = 0; y < board.boardSize; ++y)
            if (board.solution[cellIndex(x, y)] == symbol)
                return {static_cast<std::int8_t>(x), static_cast<std::int8_t>(y)};
    return {};
}

void finish(Scene& scene, int solveState, int penaltyCells) {
    startClock(scene);
    scene.state.gamePhase = phaseFinished;
    scene.state.solveState = static_cast<std::int16_t>(solveState);
    scene.state.penaltyCells = penaltyCells;
    scene.state.nowTick = scene.tick;
    scene.state.curX = scene.state.curY = -1;
}

// The symbol from firstSymbol on whose line is longest.
int longestLine(const Board& board, int firstSymbol) {
    int best = firstSymbol;
    int bestLength = -1;
    for (int i = 0; i < layerCells; ++i) {
        const int symbol = board.solution[i];
        if (symbol >= firstSymbol && board.solutionLength[i] > bestLength) {
            best = symbol;
            bestLength = board.solutionLength[i];
        }
    }
    return best;
}

// The cells of the solution's line from the endpoint start to its partner, in order.
std::vector<int> lineCells(const Board& board, Cell start) {
    std::vector<int> cells{cellIndex(start.x, start.y)};
    int x = start.x;
    int y = start.y;
    int d = 0;
    for (int k = dirUp; k <= dirLeft && d == 0; ++k) {
        int nx = x, ny = y;
        stepCell(k, nx, ny);
        if (inBoard(board, nx, ny) &&
            codeContains(cellAt(board, board.solution, nx, ny), oppositeDirection(k)))
            d = k;
    }
    while (d != 0) {
        stepCell(d, x, y);
        const int code = cellAt(board, board.solution, x, y);
        cells.push_back(cellIndex(x, y));
        if (code >= 0) break;
        const int back = oppositeDirection(d);
        d = -code / 10 == back ? -code % 10 : -code / 10;
    }
    return cells;
}

// The first `count` cells of the solution's line of `symbol`, from its first endpoint: a line
// broken off, which the checker marks as wrong.
void drawLineStart(Scene& scene, int symbol, int count) {
    const std::vector<int> path = lineCells(scene.board, endpointOf(scene.board, symbol));
    for (int k = 0; k < count && k < static_cast<int>(path.size()); ++k)
        scene.board.grid[path[k]] = scene.board.solution[path[k]];
    checkGrid(scene.board, gridLayer);
}

// A line revealed by a hint, as the hint leaves it.
void revealLine(Scene& scene, int symbol) {
    Board& board = scene.board;
    for (int i = 0; i < layerCells; ++i)
        if (board.solutionOwner[i] == symbol) {
            board.revealed[i] = 1;
            board.grid[i] = board.solution[i];
            if (board.solution[i] < 0) ++scene.state.penaltyCells;
        }
    checkGrid(board, gridLayer);
}

} // namespace

Scene newGameScene(const std::string& name, int difficulty, std::uint32_t seed) {
    Scene scene;
    scene.name = name;
    scene.settings.difficulty = difficulty;
    scene.board.boardSize = static_cast<std::int16_t>(difficulty == 2   ? 12
                                                      : difficulty == 1 ? 8
                                                                        : 5);
    Mt19937Source random(seed);
    generatePuzzle(scene.board, random);
    placeBoard(scene.state, scene.board);
    scene.state.curX = scene.state.curY = scene.state.prevX = scene.state.prevY = -1;
    scene.state.repaintMode = repaintWhole;
    scene.statistics.bestTime[0][difficulty] = 61000 + 25000 * difficulty;
    return scene;
}

void drawSolvedLines(Scene& scene, int lastSymbol) {
    Board& board = scene.board;
    for (int i = 0; i < layerCells; ++i)
        if (board.solutionOwner[i] >= 1 && board.solutionOwner[i] <= lastSymbol)
            board.grid[i] = board.solution[i];
    checkGrid(board, gridLayer);
}

void strokeInProgress(Scene& scene, int symbol, int reached) {
    Board& board = scene.board;
    const Cell start = endpointOf(board, symbol);
    const std::vector<int> path = lineCells(board, start);
    reached = std::clamp(reached, 1, static_cast<int>(path.size()) - 2);
    // Every cell the stylus has left carries its code; the head has none yet.
    for (int k = 1; k < reached; ++k) board.grid[path[k]] = board.solution[path[k]];
    checkGrid(board, gridLayer);
    const int head = path[reached];
    const int before = path[reached - 1];
    GameState& state = scene.state;
    state.curX = static_cast<std::int8_t>(head / storageSide);
    state.curY = static_cast<std::int8_t>(head % storageSide);
    state.prevX = static_cast<std::int8_t>(before / storageSide);
    state.prevY = static_cast<std::int8_t>(before % storageSide);
    state.lineLength =
        static_cast<std::int8_t>(traceLine(board, gridLayer, state.prevX, state.prevY));
    // The partner endpoint is lit as the game lights it.
    const int last = path.back();
    board.traceMarks[last] = 50;
    state.partnerX = static_cast<std::int8_t>(last / storageSide);
    state.partnerY = static_cast<std::int8_t>(last % storageSide);
    startClock(scene);
}

std::vector<Scene> allScenes() {
    std::vector<Scene> scenes;
    scenes.push_back(newGameScene("new-game-5", 0, 5));
    scenes.push_back(newGameScene("new-game-8", 1, 8));
    scenes.push_back(newGameScene("new-game-12", 2, 12));

    Scene stroke = newGameScene("stroke", 1, 8);
    drawSolvedLines(stroke, 3);
    strokeInProgress(stroke, longestLine(stroke.board, 4), 6);
    scenes.push_back(stroke);

    Scene hint = newGameScene("hint-pending", 2, 12);
    drawSolvedLines(hint, 6);
    // A line revealed earlier, charged one penalty cell per segment.
    revealLine(hint, longestLine(hint.board, 7));
    startClock(hint);
    hint.state.hintMode = 1;
    scenes.push_back(hint);

    Scene paused = newGameScene("paused", 1, 8);
    drawSolvedLines(paused, 4);
    startClock(paused);
    paused.state.gamePhase = phasePaused;
    paused.state.nowTick = paused.tick;
    scenes.push_back(paused);

    Scene perfect = newGameScene("finished-perfect", 1, 8);
    drawSolvedLines(perfect, 19);
    finish(perfect, 0, 0);
    scenes.push_back(perfect);

    Scene accepted = newGameScene("finished-accepted", 0, 5);
    drawSolvedLines(accepted, 19);
    finish(accepted, -1, 0);
    scenes.push_back(accepted);

    Scene penalty = newGameScene("finished-penalty", 2, 12);
    drawSolvedLines(penalty, 8);
    finish(penalty, 1, 23);
    scenes.push_back(penalty);

    Scene french = newGameScene("french", 1, 8);
    french.settings.language = 1;
    drawSolvedLines(french, 2);
    strokeInProgress(french, longestLine(french.board, 3), 4);
    french.state.hintMode = 1;
    french.state.penaltyCells = 3;
    scenes.push_back(french);

    // Every state a line can show, in the player's colours and in the clear ones.
    Scene states = newGameScene("line-states", 1, 8);
    drawSolvedLines(states, 2);
    revealLine(states, 3);
    drawLineStart(states, 6, 3);
    strokeInProgress(states, 10, 4);
    scenes.push_back(states);
    Scene clear = states;
    clear.name = "line-states-clear";
    clear.settings.clearColours = 1;
    scenes.push_back(clear);
    return scenes;
}

} // namespace kelvaro
