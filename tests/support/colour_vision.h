// How colours look to the eye, for tests that measure the painted picture: the WCAG contrast
// ratio, simulated colour blindness and the CIE76 colour difference.
#pragma once

#include <QColor>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace kelvaro {

// sRGB component 0..255 to linear light 0..1 (IEC 61966-2-1).
inline double linearLight(int component) {
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

using LinearRgb = std::array<double, 3>;

inline LinearRgb linearOf(QRgb rgb) {
    return {linearLight(qRed(rgb)), linearLight(qGreen(rgb)), linearLight(qBlue(rgb))};
}

// Relative luminance and contrast ratio as WCAG 2 defines them.
inline double relativeLuminance(const LinearRgb& c) {
    return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
}

inline double contrastRatio(QRgb a, QRgb b) {
    const double la = relativeLuminance(linearOf(a));
    const double lb = relativeLuminance(linearOf(b));
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

enum class Vision { normal, protanopia, deuteranopia, tritanopia };

inline const char* visionName(Vision vision) {
    switch (vision) {
    case Vision::protanopia:
        return "protanopia";
    case Vision::deuteranopia:
        return "deuteranopia";
    case Vision::tritanopia:
        return "tritanopia";
    default:
        return "normal sight";
    }
}

constexpr std::array<Vision, 4> allVisions{Vision::normal, Vision::protanopia, Vision::deuteranopia,
                                           Vision::tritanopia};

using Matrix3 = std::array<std::array<double, 3>, 3>;

// Simulation matrices of dichromacy at full severity (1.0), applied to linear RGB, from
// G. M. Machado, M. M. Oliveira and L. A. F. Fernandes, "A Physiologically-based Model for
// Simulation of Color Vision Deficiency", IEEE Transactions on Visualization and Computer
// Graphics 15(6), 2009, pp. 1291-1298, and the table of matrices published with it.
constexpr Matrix3 protanopiaMatrix{{{0.152286, 1.052583, -0.204868},
                                    {0.114503, 0.786281, 0.099216},
                                    {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix3 deuteranopiaMatrix{{{0.367322, 0.860646, -0.227968},
                                      {0.280085, 0.672501, 0.047413},
                                      {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix3 tritanopiaMatrix{{{1.255528, -0.076749, -0.178779},
                                    {-0.078411, 0.930809, 0.147602},
                                    {0.004733, 0.691367, 0.303900}}};

// The colour as seen with that vision, in linear RGB clamped to what a screen shows.
inline LinearRgb simulate(QRgb rgb, Vision vision) {
    const LinearRgb c = linearOf(rgb);
    const Matrix3* m = vision == Vision::protanopia     ? &protanopiaMatrix
                       : vision == Vision::deuteranopia ? &deuteranopiaMatrix
                       : vision == Vision::tritanopia   ? &tritanopiaMatrix
                                                        : nullptr;
    if (m == nullptr) return c;
    LinearRgb out{};
    for (int i = 0; i < 3; ++i) {
        const double v = (*m)[i][0] * c[0] + (*m)[i][1] * c[1] + (*m)[i][2] * c[2];
        out[i] = std::clamp(v, 0.0, 1.0);
    }
    return out;
}

using Lab = std::array<double, 3>;

// Linear sRGB to CIE XYZ (D65) to CIE L*a*b*.
inline Lab labOf(const LinearRgb& c) {
    const double x = 0.4124 * c[0] + 0.3576 * c[1] + 0.1805 * c[2];
    const double y = 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
    const double z = 0.0193 * c[0] + 0.1192 * c[1] + 0.9505 * c[2];
    const auto f = [](double t) {
        constexpr double d = 6.0 / 29.0;
        return t > d * d * d ? std::cbrt(t) : t / (3 * d * d) + 4.0 / 29.0;
    };
    const double fx = f(x / 0.95047);
    const double fy = f(y / 1.0);
    const double fz = f(z / 1.08883);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

// CIE76 colour difference of two colours as seen with that vision.
inline double deltaE(QRgb a, QRgb b, Vision vision) {
    const Lab la = labOf(simulate(a, vision));
    const Lab lb = labOf(simulate(b, vision));
    return std::sqrt((la[0] - lb[0]) * (la[0] - lb[0]) + (la[1] - lb[1]) * (la[1] - lb[1]) +
                     (la[2] - lb[2]) * (la[2] - lb[2]));
}

} // namespace kelvaro
