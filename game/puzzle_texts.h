// Texts of the puzzle commands (numbers, restart, practice). French is chosen by any language
// other than 0.
#pragma once

#include "game/game_texts.h"

#include <cstdint>
#include <string_view>

namespace kelvaro {

inline std::string_view askNumberPrompt(std::int32_t language) {
    return isFrench(language) ? "Numéro de la grille (par exemple 8-3141592653) :"
                              : "Puzzle number (for example 8-3141592653):";
}

inline std::string_view askNumberCaption(std::int32_t language) {
    return isFrench(language) ? "Jouer une grille par son numéro" : "Play a puzzle by number";
}

// Follows the quoted text the player typed.
inline std::string_view badNumberText(std::int32_t language) {
    return isFrench(language)
               ? " n'est pas un numéro de grille.\r\n"
                 "Un numéro de grille est une taille (5, 8 ou 12), un u pour une grille à "
                 "solution unique, un tiret et une graine de 0 à 4294967295, comme 8-3141592653 "
                 "ou 12u-3141592653. Une graine seule se joue à la taille de la difficulté "
                 "choisie."
               : " is not a puzzle number.\r\n"
                 "A puzzle number is a board size (5, 8 or 12), a u for a puzzle with one "
                 "solution, a dash and a seed from 0 to 4294967295, such as 8-3141592653 or "
                 "12u-3141592653. A seed alone plays at the size of the current difficulty.";
}

inline std::string_view badNumberCaption(std::int32_t language) {
    return isFrench(language) ? "Numéro de grille" : "Puzzle number";
}

inline std::string_view practiceText(std::int32_t language) {
    return isFrench(language)
               ? "Une grille recommencée ou choisie par son numéro est un entraînement : elle "
                 "se joue comme une autre partie mais n'entre dans aucun record, pour que les "
                 "meilleurs temps restent honnêtes."
               : "A restarted puzzle, or one chosen by its number, is practice: it plays like "
                 "any game but goes into no record, so that best times stay honest.";
}

inline std::string_view practiceCaption(std::int32_t language) {
    return isFrench(language) ? "Entraînement" : "Practice";
}

} // namespace kelvaro
