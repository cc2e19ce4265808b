// The neighbour order and random pick shared by the generator and its refinement passes.
#pragma once

#include "engine/board.h"
#include "engine/random_source.h"

#include <cstdint>

namespace kelvaro {

// Neighbours of a cell in the order the generator looks at them: below, above, right, left.
// This is deliberately not the Direction order.
constexpr int candidateDx[4] = {0, 0, 1, -1};
constexpr int candidateDy[4] = {1, -1, 0, 0};

// Direction leading from candidate c back to the cell it neighbours.
constexpr int candidateBack[4] = {dirUp, dirDown, dirLeft, dirRight};

// One draw; starts at index r AND 3 and moves on cyclically to the next allowed candidate.
// Returns -1, without drawing, when nothing is allowed, so a bad board cannot loop forever.
inline int pickCandidate(const bool (&allowed)[4], RandomSource& random) {
    if (!allowed[0] && !allowed[1] && !allowed[2] && !allowed[3]) return -1;
    int c = random.draw() & 3;
    while (!allowed[c]) c = (c + 1) & 3;
    return c;
}

// A draw reduced modulo m, read as unsigned so even a misbehaving source gives 0 .. m - 1.
inline int drawBelow(RandomSource& random, int m) {
    return static_cast<int>(static_cast<std::uint32_t>(random.draw()) %
                            static_cast<std::uint32_t>(m));
}

} // namespace kelvaro
