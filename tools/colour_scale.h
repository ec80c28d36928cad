// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/rgb_image.h"

// A perceptual colour scale from dark violet through blue, teal and green to yellow: its
// lightness rises evenly, so equal steps of the value look like equal steps of colour, and it
// reads the same in grey. t runs from 0 (lowest) to 1 (highest) and is clamped.
Rgb scaleColour(double t);
