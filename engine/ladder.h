// Grading a puzzle by the reasoning it needs: a solver that never guesses, applying the rules a
// player can apply by looking at the board, easiest first.
#pragma once

#include "engine/board.h"

#include <cstdint>

namespace kelvaro {

// The rungs of the ladder, easiest first. A puzzle's level is the hardest rung it needs.
enum LadderRule : int {
    ruleOnlyWayOn = 1,   // a line end with one cell left to step into; a cell with two ways out
    ruleOnlyPartner = 2, // an endpoint with one endpoint of its length left within reach
    ruleOnlyRoute = 3,   // an endpoint with one route of its length left
    ruleCommonCells = 4, // the first cells that every remaining route of an endpoint takes
    ruleOnlyOneLine = 5, // a cell that only one line can still reach belongs to it
    ruleRegions = 6,     // a step that leaves a region that cannot be filled exactly
    ruleLookAhead = 7,   // a step whose consequences by the rules above end in a contradiction
};
constexpr int ladderTop = ruleLookAhead;
// The level of a puzzle the ladder cannot finish: it needs guessing.
constexpr int needsGuessing = 0;

struct GradeResult {
    int level = needsGuessing; // 1 .. ladderTop, or needsGuessing
    std::int32_t steps = 0;    // the same on every machine
    bool budgetSpent = false;  // stopped by the budget rather than by running out of rules
    // When finished: the symbol of the endpoint each cell's line starts from, as the ladder paired
    // them. Equal to `solutionOwner` when the ladder found the generated lines.
    Layer lineOf{};
};

// The budget that decides every puzzle the game and the tool grade; like the solver's budget, it
// is part of what a puzzle number means, so it stays fixed.
constexpr std::int32_t gradeStepBudget = 400'000;

// Solves the puzzle on the board as the player sees it (the endpoints of `solution` with the
// lengths in `solutionLength`, their symbols unknown) by the ladder's rules alone, each round
// applying the easiest rule that makes progress, and gives the hardest rule it needed. Every rule
// is sound, so a finished puzzle has exactly one solution as shown. Allocates nothing; its
// working state lives on the stack (some tens of kilobytes).
// `topRule` below ladderTop leaves the harder rungs out, to see whether a puzzle needs them.
GradeResult gradePuzzle(const Board& board, std::int32_t stepBudget, int topRule = ladderTop);

} // namespace kelvaro
