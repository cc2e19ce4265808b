// Colours as the game keeps them (0x00BBGGRR, red in the lowest byte) and as QImage's
// 32-bit pixels hold them (0xffRRGGBB).
#pragma once

#include "store/settings.h"

#include <QColor>
#include <cstdint>

namespace kelvaro {

constexpr Colour black = 0x000000;
constexpr Colour white = 0xFFFFFF;
constexpr Colour green = 0x00FF00;
constexpr Colour cyan = 0xFFFF00;
constexpr Colour purple = 0xC800C8;
constexpr Colour red = 0x0000FF;
constexpr Colour lightCyan = 0xFFFF80;
constexpr Colour yellow = 0x00FFFF;

constexpr QRgb toQRgb(Colour c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

constexpr Colour fromQRgb(QRgb rgb) {
    return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

} // namespace kelvaro
