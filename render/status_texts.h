// The texts of the status strip and the board, in English and French.
#pragma once

#include <cstdint>

namespace kelvaro {

struct BilingualText {
    const char* english;
    const char* french;
    const char* in(std::int32_t language) const { return language != 0 ? french : english; }
};

constexpr BilingualText connectSymbolsText{"Connect symbols", "Connectez les symboles"};
constexpr BilingualText finishExampleText{"Finish the game, connect symbols",
                                          "Terminez le jeu, connectez les symboles"};
constexpr BilingualText selectCellText{"Select one cell", "Sélectionnez une case"};
constexpr BilingualText proposalText{"Your proposal", "Votre proposition"};

// Shown in place of the board when a resident picture could not be loaded.
constexpr const char* missingPicturesText = "panique sur les bitmaps!";

// The penalty line: count (with a blank for the sign), seconds per cell, total time.
constexpr const char* penaltyFormat = "+% i x %i\" = %s";

constexpr int penaltySeconds = 15;
constexpr std::uint32_t penaltyMs = 15000;

} // namespace kelvaro
