// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/energy_map.h"
#include "tools/rgb_image.h"

// The picture of an energy map: the map one pixel per grid point in a perceptual colour scale
// from the peak down to kRangeDb below it, a labelled grid every 30°, the peak ringed, and the
// colour scale at the right, labelled in dB.
struct MapImage
{
    static constexpr double kRangeDb = 30.0;
    static constexpr int kLeft = 40; // margins around the map
    static constexpr int kTop = 15;
    static constexpr int kRight = 59;
    static constexpr int kBottom = 24;
    static constexpr int kWidth = kLeft + EnergyMap::kColumns + kRight; // 820
    static constexpr int kHeight = kTop + EnergyMap::kRows + kBottom;   // 400
};

RgbImage drawMapImage(const EnergyMap& map);
