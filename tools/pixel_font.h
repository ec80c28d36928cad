// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "tools/rgb_image.h"

// Labels in a built-in 3 × 5 pixel font, each font pixel drawn as scale × scale: the digits,
// '-', ' ', 'd', 'B' and the degree sign (UTF-8 "°"); other characters are left out.
constexpr int kGlyphHeight = 5;

int textWidth(const std::string& text, int scale);

// Draws text with its top left corner at (x, y).
void drawText(RgbImage& image, int x, int y, const std::string& text, Rgb colour, int scale);
