// What the player is told about the kept game, in both languages.
#pragma once

#include "game/game_texts.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvaro {

constexpr std::string_view keepingCaption = "Kelvaro";

inline std::string keptGameDamagedText(std::int32_t language, std::string_view setAside,
                                       std::string_view failure) {
    const std::string where = setAside.empty() ? std::string(failure) : std::string(setAside);
    if (isFrench(language))
        return "La partie gardée la dernière fois n'a pas pu être reprise : son fichier est "
               "abîmé, ne correspond pas à sa grille ou vient d'une version plus récente de "
               "Kelvaro.\r\n\r\n" +
               std::string(setAside.empty() ? "Il n'a pas pu être mis de côté :\r\n"
                                            : "Il a été mis de côté sous le nom\r\n") +
               where + "\r\n\r\nUne nouvelle partie commence.";
    return "The game kept last time could not be resumed: its file is damaged, does not fit its "
           "puzzle or comes from a newer Kelvaro.\r\n\r\n" +
           std::string(setAside.empty() ? "It could not be set aside:\r\n"
                                        : "It was set aside as\r\n") +
           where + "\r\n\r\nA new game begins.";
}

inline std::string keptGameNotAFileText(std::int32_t language, std::string_view location,
                                        std::string_view reason) {
    if (isFrench(language))
        return "La partie en cours ne peut pas être gardée dans\r\n" + std::string(location) +
               "\r\n" + std::string(reason) +
               "\r\n\r\nRien n'y a été changé. Tant que cela reste à cette place, aucune partie "
               "n'est gardée.";
    return "The unfinished game cannot be kept in\r\n" + std::string(location) + "\r\n" +
           std::string(reason) +
           "\r\n\r\nNothing there was changed. While it stays in that place, no game is kept.";
}

inline std::string keepFailedText(std::int32_t language, std::string_view location,
                                  std::string_view reason) {
    const std::string where = std::string(reason) + "\r\n" + std::string(location);
    return isFrench(language) ? "La partie en cours n'a pas pu être gardée.\r\n\r\n" + where
                              : "The unfinished game could not be kept.\r\n\r\n" + where;
}

} // namespace kelvaro
