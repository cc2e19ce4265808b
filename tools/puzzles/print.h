// The print command: the game's puzzles on pages of a PDF file or of numbered SVG files.
#pragma once

#include "options.h"

#include <cstdint>
#include <string>

namespace kelvaro::puzzles {

// The file the SVG page `page` (from 1) is written to: "out.svg" gives "out-1.svg".
std::string svgPageName(const std::string& output, int page);

// Makes options.count puzzles, the puzzles of the numbers from `firstSeed` on, and writes their
// pages. Needs a QGuiApplication (for the fonts). Returns the exit status: 0, or 2 with one line
// on standard error when the output cannot be written; no file is then left behind.
int printPuzzles(const Options& options, std::uint32_t firstSeed);

} // namespace kelvaro::puzzles
