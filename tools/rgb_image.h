// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgb
{
    uint8_t r, g, b;
};

// 8-bit RGB pixels, row by row from the top; drawing outside is clipped.
struct RgbImage
{
    RgbImage(int w, int h, Rgb background)
        : width(w), height(h), pixels(static_cast<size_t>(w) * h * 3)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                set(x, y, background);
    }

    void set(int x, int y, Rgb c)
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
        p[0] = c.r, p[1] = c.g, p[2] = c.b;
    }
    Rgb at(int x, int y) const
    {
        const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }

    int width;
    int height;
    std::vector<uint8_t> pixels;
};
