// The game's own message texts. French is chosen by any language other than 0.
#pragma once

#include <cstdint>
#include <string_view>

namespace kelvaro {

inline bool isFrench(std::int32_t language) {
    return language != 0;
}

// The abandonment question; its French text ends with a blank.
inline std::string_view abandonText(std::int32_t language) {
    return isFrench(language) ? "Cela va arrêter la partie en-cours. Continuer? "
                              : "This will abort the current game. Continue?";
}

// The same question asked by the Options command, whose French text has no trailing blank.
inline std::string_view optionsAbandonText(std::int32_t language) {
    return isFrench(language) ? "Cela va arrêter la partie en-cours. Continuer?"
                              : "This will abort the current game. Continue?";
}

inline std::string_view abandonCaption(std::int32_t language) {
    return isFrench(language) ? "Attention" : "Warning";
}

inline std::string_view bestTimeText(std::int32_t language) {
    return isFrench(language) ? "Meilleur temps!" : "Best time!";
}

inline std::string_view bestTimeCaption(std::int32_t language) {
    return isFrench(language) ? "Félicitations" : "Congratulations";
}

// These two exist in English only.
constexpr std::string_view generationFailedText = "Problem while generating puzzle";
constexpr std::string_view generationFailedCaption = "Error";
constexpr std::string_view hintCaption = "Info";

} // namespace kelvaro
