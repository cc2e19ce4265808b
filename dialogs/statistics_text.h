// The texts of the options dialog: the statistics of the current player and difficulty, and
// the captions that follow the language.
#pragma once

#include "store/settings.h"

#include <QString>
#include <array>
#include <cstdint>

namespace kelvaro {

struct StatisticsTexts {
    QString labelsText; // one label a line
    QString valuesText; // the value beside each label, or "0" without a recorded game
    QString totalsText; // the player's games and time over every difficulty
};

// Lines are broken with "\r\n".
StatisticsTexts statisticsTexts(const Settings& settings, const Statistics& statistics);

struct ControlCaption {
    int id;
    const char* english;
    const char* french;
};

// The controls whose captions follow the language.
extern const std::array<ControlCaption, 6> languageCaptions;

QString captionText(const ControlCaption& caption, std::int32_t language);

} // namespace kelvaro
