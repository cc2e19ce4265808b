// Finishing a game: Show solution, or the board event that solves the grid; the records.
#pragma once

#include "game/game_world.h"

#include <cstdint>

namespace kelvaro {

// A game longer than this (2 h 46 min 40 s) finishes without being recorded.
constexpr std::uint32_t longestRecordedGameMs = 10000000;

// The Show solution command; also run when a board event leaves the grid solved.
void finishGame(GameWorld& world);

} // namespace kelvaro
