// The one record that describes the game in progress.
#pragma once

#include <cstdint>

namespace kelvaro {

enum GamePhase : std::int32_t { phasePlaying = 0, phaseFinished = 1, phasePaused = 2 };

// What the next paint redraws.
enum RepaintMode : std::int16_t {
    repaintStroke = 0, // the clock strip and the cells cur, prev and partner
    repaintWhole = 1,
    repaintStatus = 2, // the clock strip only
};

// The board's side lives in Board::boardSize alone; nothing here copies it.
struct GameState {
    std::int16_t boardLeft = 10;
    std::int16_t boardTop = 10;
    std::int16_t splashFrame = 0;
    std::uint32_t splashTick = 0; // 0: no splash showing
    std::int16_t stylusLifted = 0;
    std::uint32_t lastStylusTick = 0;
    std::uint32_t timerId = 0;
    std::int8_t lineLength = 0;
    std::int16_t repaintMode = repaintWhole;
    std::uint8_t justErased = 0;
    std::int8_t partnerY = -1;
    std::int8_t partnerX = -1;
    std::int8_t prevY = -1;
    std::int8_t prevX = -1;
    std::int8_t curY = -1;
    std::int8_t curX = -1;
    std::int32_t gamePhase = phasePlaying;
    std::int16_t exampleMode = 0;
    std::int32_t tapCount = 0;
    std::int16_t hintMode = 0; // 1 hint pending, -1 player's own lines shown on a finished board
    std::int16_t solveState = -1;
    std::int32_t finalTime = 0;
    std::int32_t penaltyCells = 0;
    std::uint32_t startTick = 0;
    std::uint32_t nowTick = 0;
    std::uint32_t pauseTick = 0;
};

} // namespace kelvaro
