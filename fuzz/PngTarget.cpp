// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a PNG: either a bitmap of a consistent size with
// premultiplied pixels, or an empty bitmap and failure reported.
#include "FuzzInput.h"
#include "FuzzTargets.h"

#include "gui/CBitmap.h"
#include "gui/platform/PlatformDrawing.h"
#include "gui/platform/PngDecode.h"

namespace fuzz
{

namespace
{

bool premultiplied(uint32_t pixel)
{
    const uint32_t alpha = pixel >> 24;
    return ((pixel >> 16) & 0xff) <= alpha && ((pixel >> 8) & 0xff) <= alpha &&
           (pixel & 0xff) <= alpha;
}

void checkLoaded(CBitmap& bitmap, const uint8_t* data, size_t size)
{
    check(bitmap.isLoaded(), "a decoded bitmap has no pixels");
    check(bitmap.getWidth() > 0 && bitmap.getHeight() > 0, "a decoded bitmap is empty");
    check(bitmap.getWidth() * bitmap.getHeight() <= kSferantPngMaxPixels,
          "a decoded bitmap exceeds the pixel limit");
    long width = 0, height = 0;
    check(sferantPngSize(data, size, &width, &height) == 1 && width == bitmap.getWidth() &&
              height == bitmap.getHeight(),
          "the bitmap's size differs from the header's");
    const PlatformImage* image = bitmap.getImage();
    check(image && image->width() == width && image->height() == height && image->stride() >= width,
          "the pixel store does not match the bitmap");
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            check(premultiplied(image->pixels()[y * image->stride() + x]),
                  "a colour channel exceeds its alpha");
}

} // namespace

void pngTarget(const uint8_t* data, size_t size)
{
    CBitmap* bitmap = new CBitmap();
    if (bitmap->loadFromMemory(data, size))
        checkLoaded(*bitmap, data, size);
    else
        check(!bitmap->isLoaded() && bitmap->getWidth() == 0 && bitmap->getHeight() == 0 &&
                  bitmap->getImage() == nullptr,
              "a failed decode left a bitmap behind");
    bitmap->forget();
}

} // namespace fuzz
