// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/colour_scale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace
{

constexpr int kEntries = 256;
constexpr double kPi = 3.14159265358979323846;

double encodeSrgb(double linear)
{
    const double c = std::clamp(linear, 0.0, 1.0);
    return c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

// A colour given by perceptual lightness L, chroma and hue in the Oklab space, in sRGB.
Rgb fromLightnessChromaHue(double L, double chroma, double hue)
{
    const double a = chroma * std::cos(hue), b = chroma * std::sin(hue);
    const double l = std::pow(L + 0.3963377774 * a + 0.2158037573 * b, 3);
    const double m = std::pow(L - 0.1055613458 * a - 0.0638541728 * b, 3);
    const double s = std::pow(L - 0.0894841775 * a - 1.2914855480 * b, 3);
    const auto byte = [](double linear)
    { return static_cast<uint8_t>(std::lround(255 * encodeSrgb(linear))); };
    return {byte(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
            byte(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
            byte(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s)};
}

// Lightness from 0.27 to 0.93, hue turning from violet (318°) to yellow (102°), the chroma
// lowest in the blues and teals, where the screen's gamut is narrowest at that lightness.
Rgb colourAt(double t)
{
    const double L = 0.27 + 0.66 * t;
    const double chroma = 0.13 - 0.19 * t + 0.24 * t * t;
    const double hue = (318.0 - 216.0 * t) * kPi / 180.0;
    return fromLightnessChromaHue(L, chroma, hue);
}

const std::array<Rgb, kEntries> kTable = []
{
    std::array<Rgb, kEntries> table{};
    for (int i = 0; i < kEntries; ++i)
        table[i] = colourAt(static_cast<double>(i) / (kEntries - 1));
    return table;
}();

} // namespace

Rgb scaleColour(double t)
{
    const double clamped = std::isnan(t) ? 0.0 : std::clamp(t, 0.0, 1.0);
    return kTable[static_cast<size_t>(std::lround(clamped * (kEntries - 1)))];
}
