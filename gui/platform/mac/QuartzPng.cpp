// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's PNG data decoded by Core Graphics, into the same pixel words as elsewhere:
// a bitmap context over the caller's store takes the image as it is drawn.
#include "gui/platform/PngDecode.h"
#include "gui/platform/mac/MacSystem.h"

#include <cstring>

namespace
{
CGImageRef decodePng(const void* data, size_t size)
{
    if (!data || size == 0) return nullptr;
    CGDataProviderRef provider = CGDataProviderCreateWithData(nullptr, data, size, nullptr);
    CGImageRef image =
        provider ? CGImageCreateWithPNGDataProvider(provider, nullptr, false, 0) : nullptr;
    if (provider) CGDataProviderRelease(provider);
    return image;
}

bool withinLimits(size_t width, size_t height)
{
    return width > 0 && height > 0 && width <= kSferantPngMaxSide && height <= kSferantPngMaxSide &&
           width * height <= size_t(kSferantPngMaxPixels);
}
} // namespace

int sferantPngSize(const void* data, size_t size, long* width, long* height)
{
    CGImageRef image = decodePng(data, size);
    if (!image) return 0;
    const size_t w = CGImageGetWidth(image), h = CGImageGetHeight(image);
    CGImageRelease(image);
    if (!withinLimits(w, h)) return 0;
    *width = long(w);
    *height = long(h);
    return 1;
}

int sferantPngDecode(const void* data, size_t size, uint32_t* pixels, long width, long height,
                     long stride)
{
    CGImageRef image = decodePng(data, size);
    if (!image) return 0;
    const bool sized = long(CGImageGetWidth(image)) == width &&
                       long(CGImageGetHeight(image)) == height && stride >= width;
    CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
    CGContextRef context = sized
                               ? CGBitmapContextCreate(pixels, size_t(width), size_t(height), 8,
                                                       size_t(stride) * 4, space, kPixelWordFormat)
                               : nullptr;
    CGColorSpaceRelease(space);
    if (context)
    {
        std::memset(pixels, 0, size_t(stride) * size_t(height) * 4);
        CGContextSetBlendMode(context, kCGBlendModeCopy);
        CGContextDrawImage(context, CGRect{{0, 0}, {CGFloat(width), CGFloat(height)}}, image);
        CGContextRelease(context);
    }
    CGImageRelease(image);
    return context ? 1 : 0;
}
