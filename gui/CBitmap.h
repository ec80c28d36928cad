// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CColor.h"
#include "gui/CGeometry.h"
#include "gui/CReferenceCounter.h"

#include <cstddef>
#include <memory>

class CDrawContext;
class CFrame;
class PlatformImage;

// One image of the editor's artwork: loaded by resource id (PNG with alpha) and drawn, in any
// part, into a drawing context opaque, with a transparent colour keyed out, or blended.
//
// In every draw call `rect` is the destination in the context and `offset` the pixel of the
// bitmap that lands on rect's top-left corner: offset 0,45 into a 45-pixel-high rect shows
// the second frame of a vertical film strip. A bitmap without pixels draws nothing.
//
// A bitmap loaded from a resource that also comes at twice the density draws from that on a
// context of a denser screen (see PlatformImage::setDensity), in the same coordinates.
class CBitmap : public CReferenceCounter
{
  public:
    // Loads the resource; a missing or undecodable one gives a 0 x 0 bitmap.
    explicit CBitmap(long resourceId);
    // An empty opaque black bitmap of that size for offscreen drawing (no alpha).
    CBitmap(CFrame& frame, long width, long height);
    CBitmap();
    ~CBitmap() override;

    virtual void draw(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0));
    virtual void drawTransparent(CDrawContext* context, CRect& rect,
                                 const CPoint& offset = CPoint(0, 0));
    virtual void drawAlphaBlend(CDrawContext* context, CRect& rect, const CPoint& offset,
                                unsigned char alpha);
    // Releases the pixels; width and height become 0.
    virtual void dispose();
    // Disposes, then decodes the PNG resource with that id. False, leaving the bitmap
    // empty, when the id is unknown or the data does not decode.
    virtual bool loadFromResource(long resourceId);
    // Not supported on this platform: disposes and answers false.
    virtual bool loadFromPath(const void* path);
    // Disposes, then decodes PNG data; false, leaving the bitmap empty, on any error.
    bool loadFromMemory(const void* data, size_t size);

    long getResourceId() const { return resourceId; }
    long getWidth() const { return width; }
    long getHeight() const { return height; }
    bool isLoaded() const;
    // Pixels of a bitmap without alpha that equal this colour (red, green and blue) are left
    // out by drawTransparent.
    void setTransparentColor(CColor color);
    CColor getTransparentColor() const { return transparentColor; }
    // Does nothing on this platform; the transparent colour is keyed when drawing.
    void setTransparencyMask(CDrawContext* context, const CPoint& offset = CPoint(0, 0));
    bool hasAlpha() const { return !noAlpha; }

    // Platform access to the pixels; null without pixels. Call pixelsChanged() after
    // drawing into them.
    PlatformImage* getImage() const { return image.get(); }
    void pixelsChanged();

  private:
    const PlatformImage* keyedImage();
    // The image to draw on a surface of that density: the double-density one when there is
    // one and the surface is denser than 1.
    const PlatformImage* imageFor(double density);

    long resourceId = 0;
    long width = 0;
    long height = 0;
    CColor transparentColor = kTransparentCColor;
    bool noAlpha = true;
    std::unique_ptr<PlatformImage> image;
    std::unique_ptr<PlatformImage> keyed; // cached copy with the transparent colour keyed out
    std::unique_ptr<PlatformImage> dense; // the double-density resource, loaded on first use
    bool denseLooked = false;
};
