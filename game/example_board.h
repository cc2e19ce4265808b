// The fixed, nearly solved 5 x 5 board that Learn rules puts in front of the player.
#pragma once

#include <array>
#include <cstdint>

namespace kelvaro {

constexpr int exampleSide = 5;

// Row by row as the board is shown: exampleRows[y][x]. Three lines: symbol 1 down the left
// column, symbol 2 and symbol 3 around the right; every cell belongs to one of them.
constexpr std::array<std::array<std::int8_t, exampleSide>, exampleSide> exampleRows{{
    {-23, 1, 2, -23, -34},
    {-13, -23, -14, -13, -13},
    {-13, -13, 3, -14, -13},
    {-13, -12, -24, 2, -13},
    {-12, 1, 3, -24, -14},
}};

} // namespace kelvaro
