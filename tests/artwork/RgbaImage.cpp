// SPDX-License-Identifier: GPL-3.0-or-later
#include "RgbaImage.h"

#include <png.h>

RgbaImage readPng(const std::string& path)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return RgbaImage{};

    RgbaImage image;
    image.rgba8 = png.format == PNG_FORMAT_RGBA; // as stored: no palette, no 16-bit samples
    png.format = PNG_FORMAT_RGBA;
    image.width = int(png.width);
    image.height = int(png.height);
    image.pixels.resize(size_t(image.width) * image.height);
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr))
    {
        png_image_free(&png);
        return RgbaImage{};
    }
    return image;
}

RgbaImage readArtwork(int id, int density)
{
    return readPng(std::string(SFERANT_SOURCE_DIR) +
                   (density == 2 ? "/resources/png@2x/" : "/resources/png/") + std::to_string(id) +
                   ".png");
}
