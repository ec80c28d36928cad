// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A decoded 8-bit RGBA PNG, for reading the artwork's pixels in tests.
struct RgbaImage
{
    struct Pixel
    {
        uint8_t r, g, b, a;
    };

    int width = 0;
    int height = 0;
    bool rgba8 = false; // the file itself is 8-bit RGBA, without conversions
    std::vector<Pixel> pixels;

    const Pixel& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Empty image (width 0) when the file cannot be read.
RgbaImage readPng(const std::string& path);

// The artwork file resources/png/<id>.png of the source tree; at density 2 the one of
// resources/png@2x/.
RgbaImage readArtwork(int id, int density = 1);
