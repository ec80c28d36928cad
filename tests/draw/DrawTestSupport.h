// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/COffscreenContext.h"
#include "gui/platform/PlatformDrawing.h"

#include <png.h>

#include <algorithm>
#include <cstdint>
#include <vector>

// What tests need to look at pixels: offscreen contexts read back, and PNG data made on the
// fly so that every decoding case is spelled out in the test itself.
namespace drawtest
{
// The stored (premultiplied) pixel as red, green, blue, alpha.
inline CColor storedPixel(const PlatformImage& image, long x, long y)
{
    const uint32_t p = image.pixels()[y * image.stride() + x];
    return {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)};
}

inline CColor pixel(const COffscreenContext& context, long x, long y)
{
    return storedPixel(*context.getImage(), x, y);
}

// Counts the pixels of `color` in the rectangle.
inline long countPixels(const COffscreenContext& context, const CRect& r, CColor color)
{
    long count = 0;
    for (long y = r.top; y < r.bottom; ++y)
        for (long x = r.left; x < r.right; ++x)
            count += pixel(context, x, y) == color;
    return count;
}

// The bounding box of the pixels that differ from `background`; empty when none do.
inline CRect inkBounds(const COffscreenContext& context, CColor background)
{
    CRect box(context.getWidth(), context.getHeight(), 0, 0);
    for (long y = 0; y < context.getHeight(); ++y)
        for (long x = 0; x < context.getWidth(); ++x)
            if (pixel(context, x, y) != background)
            {
                box.left = std::min<int32_t>(box.left, x);
                box.top = std::min<int32_t>(box.top, y);
                box.right = std::max<int32_t>(box.right, x + 1);
                box.bottom = std::max<int32_t>(box.bottom, y + 1);
            }
    return box;
}

// PNG data of `width` x `height` pixels in the given libpng colour type and bit depth;
// `samples` holds the rows back to back.
inline std::vector<unsigned char> encodePng(long width, long height, int colourType, int bitDepth,
                                            const std::vector<unsigned char>& samples,
                                            const std::vector<png_color>& palette = {},
                                            const std::vector<png_byte>& transparency = {})
{
    std::vector<unsigned char> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t length)
        {
            auto* bytes = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), bitDepth, colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
    if (!transparency.empty())
        png_set_tRNS(png, info, transparency.data(), int(transparency.size()), nullptr);
    png_write_info(png, info);
    const size_t rowBytes = samples.size() / size_t(height);
    for (long y = 0; y < height; ++y)
        png_write_row(png, samples.data() + size_t(y) * rowBytes);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// An 8-bit RGBA image from one colour per pixel, rows back to back.
inline std::vector<unsigned char> rgbaPng(long width, long height,
                                          const std::vector<CColor>& pixels)
{
    std::vector<unsigned char> samples;
    for (const CColor& c : pixels)
        samples.insert(samples.end(), {c.red, c.green, c.blue, c.alpha});
    return encodePng(width, height, PNG_COLOR_TYPE_RGBA, 8, samples);
}
} // namespace drawtest
