// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CColor.h"
#include "gui/CGeometry.h"

#include <cstdint>
#include <memory>

// The drawing half of the platform layer: everything the drawing contexts and bitmaps need
// from the window system. Each platform implements these two classes in its own folder.
//
// Coordinates are device pixels of the surface divided by its density (1 unless a surface of
// a denser screen was given one); rectangles follow CRect (right and bottom exclusive).
// Colours are straight (not premultiplied) CColor values.

// 32-bit pixels with alpha: each pixel is one native-endian word 0xAARRGGBB with the colour
// channels premultiplied by alpha; rows top first, `stride()` pixels apart.
class PlatformImage
{
  public:
    // A fully transparent (all zero) image; null when it cannot be made.
    static std::unique_ptr<PlatformImage> create(long width, long height);
    virtual ~PlatformImage() = default;

    virtual long width() const = 0;
    virtual long height() const = 0;
    virtual long stride() const = 0;

    // Pixels per unit of the coordinates the image is drawn in and drawn on with: an image of
    // 2 w x 2 h pixels at density 2 stands for w x h units, each drawn sharp on a surface of
    // that density. False, the density staying 1, where the platform draws only at 1.
    virtual bool setDensity(double density) = 0;
    virtual double density() const = 0;

    // Direct access for decoding and keying. Call pixelsChanged() after writing.
    virtual uint32_t* pixels() = 0;
    virtual const uint32_t* pixels() const = 0;
    virtual void pixelsChanged() = 0;
};

// Font style bits, as the toolkit passes them.
enum PlatformFontStyle
{
    kPlatformBold = 1,
    kPlatformItalic = 2,
    kPlatformUnderline = 4
};

// A surface to draw on: a window's (given by the window layer) or an image's.
class PlatformCanvas
{
  public:
    // On the surface the window layer hands to a drawing context (Linux: a cairo_surface_t*);
    // null when there is none, so that a context without a surface draws nothing.
    static std::unique_ptr<PlatformCanvas> onSurface(void* systemSurface);
    static std::unique_ptr<PlatformCanvas> onImage(PlatformImage& image);
    virtual ~PlatformCanvas() = default;

    // The density of the surface (see PlatformImage::setDensity).
    virtual double density() const = 0;

    // Every operation below is clipped to this rectangle.
    virtual void setClip(const CRect& clip) = 0;
    // Lines and outlines: width in pixels; dotted is a dash of one width on, one width off.
    virtual void setLine(long width, bool dotted) = 0;
    virtual void setAntialias(bool on) = 0;

    // Fills columns left..right-1 and rows top..bottom-1.
    virtual void fillRect(const CRect& r, CColor color) = 0;
    // Outlines the pixels of the area fillRect fills (the outline lies inside).
    virtual void strokeRect(const CRect& r, CColor color) = 0;
    // A segment through the centres of the two end pixels.
    virtual void line(const CPoint& from, const CPoint& to, CColor color) = 0;
    virtual void polygon(const CPoint* points, long count, CColor color, bool filled) = 0;
    // The ellipse inscribed in r.
    virtual void ellipse(const CRect& r, CColor color, bool filled) = 0;
    // Arc of the inscribed ellipse, degrees counter-clockwise from the positive x axis
    // (screen y grows downwards); filled draws the pie.
    virtual void arc(const CRect& r, double startDegrees, double endDegrees, CColor color,
                     bool filled) = 0;

    // Selects a font by face name, size in pixels and PlatformFontStyle bits.
    virtual void setFont(const char* face, long size, long style) = 0;
    virtual long textWidth(const char* text) = 0;
    // One line of text starting at `origin` on its baseline.
    virtual void drawText(const char* text, const CPoint& origin, CColor color) = 0;

    // Blends the part of `image` starting at srcOffset into dest (source over), with a
    // constant alpha on top of the image's own. An image of another density is scaled to
    // the surface's: by whole factors pixel for pixel, otherwise filtered.
    virtual void drawImage(const PlatformImage& image, const CRect& dest, const CPoint& srcOffset,
                           uint8_t alpha) = 0;
    // Replaces the pixels under dest with those of `source` starting at srcOffset.
    // `source` is a canvas of the same platform.
    virtual void copyArea(PlatformCanvas& source, const CRect& dest, const CPoint& srcOffset) = 0;

    // The colour of one pixel; false when the surface cannot be read back.
    virtual bool readPixel(const CPoint& p, CColor& color) = 0;
    // Sends pending drawing to the surface.
    virtual void flush() = 0;
};
