// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CDrawContext.h"

class CBitmap;
class PlatformImage;

// A drawing context on a pixel buffer that can be copied to and from other contexts.
class COffscreenContext : public CDrawContext
{
  public:
    // A buffer of the given size filled with the background colour; at a density above 1 it
    // holds that many pixels per unit (where the platform can), for a denser screen.
    COffscreenContext(CFrame* frame, long width, long height,
                      const CColor background = kBlackCColor, double density = 1);
    // A context of the bitmap's size (20 x 20 without one) for ctx's frame. With drawInBitmap
    // it draws straight into the bitmap's pixels; otherwise it starts as a copy of the bitmap
    // (black without one).
    COffscreenContext(CDrawContext* ctx, CBitmap* bitmap, bool drawInBitmap = false);
    ~COffscreenContext() override;

    // Copies the pixels starting at srcOffset into dest at destRect (plus dest's drawing
    // offset), clipped to dest's clip rectangle.
    void copyFrom(CDrawContext* dest, CRect destRect, CPoint srcOffset = CPoint(0, 0));
    // Copies the pixels under srcRect (plus src's drawing offset) into this context at
    // destOffset.
    void copyTo(CDrawContext* src, CRect& srcRect, CPoint destOffset = CPoint(0, 0));

    long getWidth() const { return width; }
    long getHeight() const { return height; }
    CColor getBackgroundColor() const { return backgroundColor; }
    CBitmap* getBitmap() const { return bitmap; }
    // The pixels drawn into; null when the buffer could not be made.
    PlatformImage* getImage() const { return image; }

  private:
    CBitmap* bitmap = nullptr;
    long height = 0;
    long width = 0;
    bool ownsPixels = true;
    CColor backgroundColor = kBlackCColor;
    std::unique_ptr<PlatformImage> ownImage;
    PlatformImage* image = nullptr;
};
