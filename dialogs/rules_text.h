// The rules shown before the example game, in the player's language.
#pragma once

#include <QString>
#include <cstdint>

namespace kelvaro {

// Where the rules send a reader who wants to know more.
inline constexpr char homePageAddress[] = "kelvaro.example.org";

// English for language 0, French otherwise; lines are broken with "\r\n".
QString rulesFor(std::int32_t language);

} // namespace kelvaro
