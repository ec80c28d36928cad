// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CBitmap.h"

#include "gui/CDrawContext.h"
#include "gui/platform/PlatformDrawing.h"
#include "gui/platform/PngDecode.h"
#include "resources/ResourceTable.h"

#include <algorithm>
#include <utility>

CBitmap::CBitmap(long resourceId)
{
    loadFromResource(resourceId);
}

CBitmap::CBitmap(CFrame&, long width, long height) : image(PlatformImage::create(width, height))
{
    if (!image) return;
    this->width = width;
    this->height = height;
    uint32_t* pixels = image->pixels();
    std::fill(pixels, pixels + image->stride() * height, 0xff000000u);
    image->pixelsChanged();
}

CBitmap::CBitmap() = default;

CBitmap::~CBitmap() = default;

void CBitmap::dispose()
{
    image.reset();
    keyed.reset();
    dense.reset();
    denseLooked = false;
    width = 0;
    height = 0;
    noAlpha = false;
}

bool CBitmap::loadFromResource(long id)
{
    dispose();
    resourceId = id;
    const SferantResource resource = findResource(id);
    return resource.data && loadFromMemory(resource.data, resource.size);
}

bool CBitmap::loadFromPath(const void*)
{
    dispose();
    return false;
}

// Decodes into a fresh pixel store that replaces the old one only on success.
bool CBitmap::loadFromMemory(const void* data, size_t size)
{
    dispose();
    long w = 0, h = 0;
    if (!sferantPngSize(data, size, &w, &h)) return false;
    std::unique_ptr<PlatformImage> decoded = PlatformImage::create(w, h);
    if (!decoded || !sferantPngDecode(data, size, decoded->pixels(), w, h, decoded->stride()))
        return false;
    decoded->pixelsChanged();
    image = std::move(decoded);
    width = w;
    height = h;
    noAlpha = false;
    transparentColor = kTransparentCColor;
    return true;
}

bool CBitmap::isLoaded() const
{
    return image != nullptr;
}

void CBitmap::setTransparentColor(CColor color)
{
    if (color != transparentColor) keyed.reset();
    transparentColor = color;
}

void CBitmap::setTransparencyMask(CDrawContext*, const CPoint&) {}

void CBitmap::pixelsChanged()
{
    keyed.reset();
    if (image) image->pixelsChanged();
}

// Every bitmap keeps alpha in its pixels (those without an alpha channel are opaque), so
// drawing is always a blend.
void CBitmap::draw(CDrawContext* context, CRect& rect, const CPoint& offset)
{
    drawAlphaBlend(context, rect, offset, 255);
}

void CBitmap::drawTransparent(CDrawContext* context, CRect& rect, const CPoint& offset)
{
    if (!noAlpha) return drawAlphaBlend(context, rect, offset, 255);
    const PlatformImage* source = keyedImage();
    if (!context || !context->getCanvas() || !source) return;
    CRect dest = rect;
    dest.offset(context->getOffset());
    context->getCanvas()->drawImage(*source, dest, offset, 255);
}

void CBitmap::drawAlphaBlend(CDrawContext* context, CRect& rect, const CPoint& offset,
                             unsigned char alpha)
{
    if (!context || !context->getCanvas() || !image) return;
    CRect dest = rect;
    dest.offset(context->getOffset());
    PlatformCanvas* canvas = context->getCanvas();
    canvas->drawImage(*imageFor(canvas->density()), dest, offset, alpha);
}

// The double-density resource must be exactly twice the size, or it is not used.
const PlatformImage* CBitmap::imageFor(double density)
{
    if (density <= 1 || !resourceId) return image.get();
    if (!denseLooked)
    {
        denseLooked = true;
        const SferantResource resource = findResource(resourceId + kDoubleDensityIdOffset);
        long w = 0, h = 0;
        if (resource.data && sferantPngSize(resource.data, resource.size, &w, &h) &&
            w == 2 * width && h == 2 * height)
        {
            dense = PlatformImage::create(w, h);
            if (dense && (!sferantPngDecode(resource.data, resource.size, dense->pixels(), w, h,
                                            dense->stride()) ||
                          !dense->setDensity(2)))
                dense.reset();
            if (dense) dense->pixelsChanged();
        }
    }
    return dense ? dense.get() : image.get();
}

// A copy in which pixels of the transparent colour (red, green, blue) are fully transparent;
// made on first use and dropped when the colour or the pixels change.
const PlatformImage* CBitmap::keyedImage()
{
    if (keyed || !image) return keyed.get();
    keyed = PlatformImage::create(width, height);
    if (!keyed) return nullptr;
    const uint32_t key = uint32_t(transparentColor.red) << 16 |
                         uint32_t(transparentColor.green) << 8 | transparentColor.blue;
    const uint32_t* from = std::as_const(*image).pixels();
    uint32_t* to = keyed->pixels();
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
        {
            const uint32_t pixel = from[y * image->stride() + x];
            to[y * keyed->stride() + x] = (pixel & 0xffffff) == key ? 0 : pixel;
        }
    keyed->pixelsChanged();
    return keyed.get();
}
