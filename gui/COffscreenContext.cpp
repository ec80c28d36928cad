// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/COffscreenContext.h"

#include "gui/CBitmap.h"
#include "gui/platform/PlatformDrawing.h"

#include <cmath>

COffscreenContext::COffscreenContext(CFrame* frame, long width, long height,
                                     const CColor background, double density)
    : CDrawContext(frame, nullptr, nullptr), height(height), width(width),
      backgroundColor(background)
{
    if (width > 0 && height > 0) setClipRect(CRect(0, 0, width, height));
    ownImage =
        PlatformImage::create(long(std::ceil(width * density)), long(std::ceil(height * density)));
    if (ownImage && !ownImage->setDensity(density)) ownImage = PlatformImage::create(width, height);
    image = ownImage.get();
    if (!image) return;
    setCanvas(PlatformCanvas::onImage(*image));
    setFillColor(background);
    setFrameColor(background);
    drawRect(CRect(0, 0, width, height), kDrawFilledAndStroked);
}

COffscreenContext::COffscreenContext(CDrawContext* context, CBitmap* bitmap, bool drawInBitmap)
    : CDrawContext(context ? context->getFrame() : nullptr, nullptr, nullptr), bitmap(bitmap),
      height(bitmap ? bitmap->getHeight() : 20), width(bitmap ? bitmap->getWidth() : 20)
{
    if (width > 0 && height > 0) setClipRect(CRect(0, 0, width, height));
    if (bitmap) bitmap->remember(); // its pixels must outlive the context
    if (drawInBitmap && bitmap)
    {
        ownsPixels = false;
        image = bitmap->getImage();
        if (image) setCanvas(PlatformCanvas::onImage(*image));
        return;
    }
    ownImage = PlatformImage::create(width, height);
    image = ownImage.get();
    if (!image) return;
    setCanvas(PlatformCanvas::onImage(*image));
    CRect all(0, 0, width, height);
    if (bitmap)
        bitmap->draw(this, all);
    else
        drawRect(all, kDrawFilled);
}

COffscreenContext::~COffscreenContext()
{
    setCanvas(nullptr);
    if (!bitmap) return;
    if (!ownsPixels) bitmap->pixelsChanged();
    bitmap->forget();
}

void COffscreenContext::copyFrom(CDrawContext* dest, CRect destRect, CPoint srcOffset)
{
    if (!dest || !dest->getCanvas() || !getCanvas()) return;
    destRect.offset(dest->getOffset());
    dest->getCanvas()->copyArea(*getCanvas(), destRect, srcOffset);
}

void COffscreenContext::copyTo(CDrawContext* src, CRect& srcRect, CPoint destOffset)
{
    if (!src || !src->getCanvas() || !getCanvas()) return;
    CRect from = srcRect;
    from.offset(src->getOffset());
    const CRect to(destOffset, CPoint(from.getWidth(), from.getHeight()));
    getCanvas()->copyArea(*src->getCanvas(), to, from.getTopLeft());
}
