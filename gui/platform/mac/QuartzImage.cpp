// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/mac/QuartzDrawing.h"

std::unique_ptr<PlatformImage> PlatformImage::create(long width, long height)
{
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return nullptr;
    return std::make_unique<QuartzImage>(width, height);
}

// Drawn on in units through a scaled context; drawn with at its size in units.
bool QuartzImage::setDensity(double value)
{
    if (!(value >= 1 && value <= 4)) return false;
    pixelsPerUnit = value;
    return true;
}

CGContextRef QuartzImage::createContext()
{
    CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
    CGContextRef context = CGBitmapContextCreate(store.data(), size_t(w), size_t(h), 8,
                                                 size_t(w) * 4, space, kPixelWordFormat);
    CGColorSpaceRelease(space);
    return context;
}

CGImageRef QuartzImage::createImage() const
{
    CGDataProviderRef provider =
        CGDataProviderCreateWithData(nullptr, store.data(), store.size() * 4, nullptr);
    CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
    CGImageRef image = CGImageCreate(size_t(w), size_t(h), 8, 32, size_t(w) * 4, space,
                                     kPixelWordFormat, provider, nullptr, false, 0);
    CGColorSpaceRelease(space);
    CGDataProviderRelease(provider);
    return image;
}
