// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/map_image.h"

#include <cmath>
#include <string>

#include "tools/colour_scale.h"
#include "tools/pixel_font.h"

namespace
{

constexpr Rgb kBackground{24, 24, 28};
constexpr Rgb kLabel{208, 208, 208};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr int kScale = 2; // font pixels per glyph pixel
constexpr int kGridDegrees = 30;
constexpr int kGridPixels = static_cast<int>(kGridDegrees / EnergyMap::kStep);
constexpr int kLabelGap = 6;
constexpr int kBarGap = 12;
constexpr int kBarWidth = 14;

Rgb blend(Rgb under, Rgb over, double alpha)
{
    const auto mix = [alpha](uint8_t a, uint8_t b)
    { return static_cast<uint8_t>(std::lround(a + (b - a) * alpha)); };
    return {mix(under.r, over.r), mix(under.g, over.g), mix(under.b, over.b)};
}

// 0 at the peak down to 1 at kRangeDb below it and lower.
double scaleValue(double energy, double peak)
{
    if (peak <= 0.0 || energy <= 0.0) return 0.0;
    return 1.0 + 10.0 * std::log10(energy / peak) / MapImage::kRangeDb;
}

std::string degrees(int value)
{
    return std::to_string(value) + "\u00b0";
}

void drawEnergy(RgbImage& image, const EnergyMap& map)
{
    for (int r = 0; r < EnergyMap::kRows; ++r)
        for (int c = 0; c < EnergyMap::kColumns; ++c)
            image.set(MapImage::kLeft + c, MapImage::kTop + r,
                      scaleColour(scaleValue(map.at(r, c), map.peakEnergy)));
}

// Lines every 30°, the front and the horizon stronger, with their angles beside them.
void drawGrid(RgbImage& image)
{
    const auto line = [&](int x, int y, bool zero)
    { image.set(x, y, blend(image.at(x, y), kWhite, zero ? 0.6 : 0.3)); };
    for (int c = 0; c < EnergyMap::kColumns; c += kGridPixels)
    {
        const int x = MapImage::kLeft + c;
        for (int r = 0; r < EnergyMap::kRows; ++r)
            line(x, MapImage::kTop + r, c == EnergyMap::kColumns / 2);
        const std::string label = degrees(static_cast<int>(EnergyMap::azimuthOfColumn(c)));
        drawText(image, x - textWidth(label, kScale) / 2,
                 MapImage::kTop + EnergyMap::kRows + kLabelGap, label, kLabel, kScale);
    }
    for (int r = 0; r < EnergyMap::kRows; r += kGridPixels)
    {
        const int y = MapImage::kTop + r;
        for (int c = 0; c < EnergyMap::kColumns; ++c)
            if (c % kGridPixels != 0) line(MapImage::kLeft + c, y, r == EnergyMap::kRows / 2);
        const std::string label = degrees(static_cast<int>(EnergyMap::elevationOfRow(r)));
        drawText(image, MapImage::kLeft - kLabelGap - textWidth(label, kScale),
                 y - kGlyphHeight * kScale / 2, label, kLabel, kScale);
    }
}

// A white ring between two black ones around the peak, kept inside the map.
void drawPeak(RgbImage& image, const Direction& peak)
{
    const double azimuth = std::remainder(peak.azimuth, 360.0);
    const int x =
        MapImage::kLeft + static_cast<int>(std::lround((180.0 - azimuth) / EnergyMap::kStep));
    const int y =
        MapImage::kTop + static_cast<int>(std::lround((90.0 - peak.elevation) / EnergyMap::kStep));
    const auto inMap = [](int px, int py)
    {
        return px >= MapImage::kLeft && px < MapImage::kLeft + EnergyMap::kColumns &&
               py >= MapImage::kTop && py < MapImage::kTop + EnergyMap::kRows;
    };
    for (int dy = -10; dy <= 10; ++dy)
        for (int dx = -10; dx <= 10; ++dx)
        {
            const double d = std::hypot(dx, dy);
            if (!inMap(x + dx, y + dy) || d < 5.5 || d >= 9.5) continue;
            image.set(x + dx, y + dy, d >= 6.5 && d < 8.5 ? kWhite : kBlack);
        }
}

// The colour scale beside the map, the peak at the top, ticked every 10 dB.
void drawScale(RgbImage& image)
{
    const int left = MapImage::kLeft + EnergyMap::kColumns + kBarGap;
    const int height = EnergyMap::kRows;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < kBarWidth; ++c)
            image.set(left + c, MapImage::kTop + r, scaleColour(1.0 - double(r) / (height - 1)));
    drawText(image, left, MapImage::kTop - kGlyphHeight * kScale - 3, "dB", kLabel, kScale);
    for (int db = 0; db <= MapImage::kRangeDb; db += 10)
    {
        const int y =
            MapImage::kTop + static_cast<int>(std::lround(db / MapImage::kRangeDb * (height - 1)));
        for (int c = 0; c < 3; ++c)
            image.set(left + kBarWidth + c, y, kLabel);
        drawText(image, left + kBarWidth + kLabelGap, y - kGlyphHeight * kScale / 2,
                 std::to_string(-db), kLabel, kScale);
    }
}

} // namespace

RgbImage drawMapImage(const EnergyMap& map)
{
    RgbImage image(MapImage::kWidth, MapImage::kHeight, kBackground);
    drawEnergy(image, map);
    drawGrid(image);
    if (map.peak) drawPeak(image, *map.peak);
    drawScale(image);
    return image;
}
