// The bar chart of a player's final times on one difficulty, drawn pixel for pixel.
#pragma once

#include "store/settings.h"

#include <QImage>
#include <cstdint>

namespace kelvaro {

constexpr int chartWidth = 127;
constexpr int chartHeight = 76;
constexpr int chartAxisY = 72;        // the horizontal axis; bars stand on it
constexpr int chartMarkerLimit = 120; // times mapping this far right get no marker

constexpr Colour chartBackground = 0xFFFFFF;
constexpr Colour chartAxisColour = 0x000000;
constexpr Colour chartTickColour = 0xAAAAAA;
constexpr Colour chartBarColour = 0x0000FF;
constexpr Colour chartLastGameColour = 0x000080;
constexpr Colour chartAverageColour = 0xFF0000;

// What the chart needs beyond the records: the last finished game's time (0 for none) and
// the difficulty and player that were current when the options dialog opened; the last game
// is marked only while both are still current.
struct ChartMarks {
    std::int32_t finalTime = 0;
    std::int32_t openDifficulty = 0;
    std::int16_t openPlayer = 0;
};

// Draws the chart of the current player and difficulty into the top-left 127 x 76 pixels
// of image.
void paintHistogram(QImage& image, const Settings& settings, const Statistics& statistics,
                    const ChartMarks& marks);

} // namespace kelvaro
