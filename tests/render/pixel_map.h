// Small images written as text, one row per line, one character per pixel, so a test shows
// the pixels it expects.
#pragma once

#include "render/colour.h"

#include <QImage>
#include <map>
#include <string>
#include <vector>

namespace kelvaro {

using Palette = std::map<char, Colour>;

inline QImage imageFromMap(const std::vector<std::string>& rows, const Palette& palette) {
    QImage image(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()),
                 QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, toQRgb(palette.at(rows[y][x])));
    return image;
}

// The image as text; a pixel whose colour is not in the palette shows as '?'.
inline std::vector<std::string> mapFromImage(const QImage& image, const Palette& palette) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string line;
        for (int x = 0; x < image.width(); ++x) {
            char c = '?';
            for (const auto& [key, colour] : palette)
                if (toQRgb(colour) == image.pixel(x, y)) c = key;
            line += c;
        }
        rows.push_back(line);
    }
    return rows;
}

inline Colour pixelAt(const QImage& image, int x, int y) {
    return fromQRgb(image.pixel(x, y));
}

} // namespace kelvaro
