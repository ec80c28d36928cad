// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/mac/QuartzDrawing.h"

#include <algorithm>
#include <cmath>

// Pixel rules as on the other platforms: integer coordinates name pixels, so outlines and lines
// run through pixel centres (x + 0.5) and fills cover whole pixels.

namespace
{
CGRect rectOf(const CRect& r)
{
    return CGRect{{CGFloat(r.left), CGFloat(r.top)},
                  {CGFloat(std::max(0, r.getWidth())), CGFloat(std::max(0, r.getHeight()))}};
}
} // namespace

// A surface of the window layer is the view's own context, already flipped.
std::unique_ptr<PlatformCanvas> PlatformCanvas::onSurface(void* systemSurface)
{
    if (!systemSurface) return nullptr;
    return std::make_unique<QuartzCanvas>(static_cast<CGContextRef>(systemSurface), 0, nullptr);
}

std::unique_ptr<PlatformCanvas> PlatformCanvas::onImage(PlatformImage& image)
{
    auto& quartz = static_cast<QuartzImage&>(image);
    CGContextRef context = quartz.createContext();
    if (!context) return nullptr;
    auto canvas = std::make_unique<QuartzCanvas>(context, quartz.height(), &quartz);
    CGContextRelease(context);
    return canvas;
}

// Bitmap contexts count from the bottom: a height flips them. The state saved last holds the
// flip alone; every setting is applied on top of it again when the clip changes.
QuartzCanvas::QuartzCanvas(CGContextRef context, long height, QuartzImage* image)
    : context(context), image(image)
{
    CFRetain(context);
    CGContextSaveGState(context);
    if (height > 0)
    {
        CGContextTranslateCTM(context, 0, CGFloat(height));
        CGContextScaleCTM(context, 1, -1);
    }
    // A denser image is drawn on in units.
    if (density() != 1) CGContextScaleCTM(context, CGFloat(density()), CGFloat(density()));
    CGContextSetTextMatrix(context, CGAffineTransform{1, 0, 0, -1, 0, 0});
    CGContextSaveGState(context);
    resetState();
}

QuartzCanvas::~QuartzCanvas()
{
    CGContextRestoreGState(context);
    CGContextRestoreGState(context);
    CGContextFlush(context);
    if (font) CFRelease(font);
    CFRelease(context);
}

void QuartzCanvas::resetState()
{
    CGContextRestoreGState(context);
    CGContextSaveGState(context);
    if (hasClip) CGContextClipToRect(context, rectOf(clip));
    CGContextSetShouldAntialias(context, antialias);
    CGContextSetLineWidth(context, CGFloat(lineWidth));
    const CGFloat dash[] = {CGFloat(lineWidth), CGFloat(lineWidth)};
    CGContextSetLineDash(context, 0, dotted ? dash : nullptr, dotted ? 2 : 0);
}

void QuartzCanvas::setClip(const CRect& r)
{
    clip = r;
    hasClip = true;
    resetState();
}

void QuartzCanvas::setLine(long width, bool isDotted)
{
    lineWidth = std::max(1L, width);
    dotted = isDotted;
    resetState();
}

void QuartzCanvas::setAntialias(bool on)
{
    antialias = on;
    CGContextSetShouldAntialias(context, on);
}

void QuartzCanvas::setColors(CColor color)
{
    const CGFloat a = color.alpha / 255.0;
    CGContextSetRGBFillColor(context, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
                             a);
    CGContextSetRGBStrokeColor(context, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
                               a);
}

void QuartzCanvas::finishPath(bool filled)
{
    if (filled)
        CGContextFillPath(context);
    else
        CGContextStrokePath(context);
}

void QuartzCanvas::fillRect(const CRect& r, CColor color)
{
    setColors(color);
    CGContextFillRect(context, rectOf(r));
}

void QuartzCanvas::strokeRect(const CRect& r, CColor color)
{
    const CGFloat inset = lineWidth / 2.0;
    const CPoint corners[] = {CPoint(r.left, r.top), CPoint(r.right - 1, r.top),
                              CPoint(r.right - 1, r.bottom - 1), CPoint(r.left, r.bottom - 1)};
    setColors(color);
    CGContextBeginPath(context);
    for (int i = 0; i < 4; ++i)
    {
        const CGFloat x = corners[i].h + (i == 1 || i == 2 ? 1 - inset : inset);
        const CGFloat y = corners[i].v + (i >= 2 ? 1 - inset : inset);
        if (i == 0)
            CGContextMoveToPoint(context, x, y);
        else
            CGContextAddLineToPoint(context, x, y);
    }
    CGContextClosePath(context);
    CGContextStrokePath(context);
}

void QuartzCanvas::line(const CPoint& from, const CPoint& to, CColor color)
{
    setColors(color);
    CGContextBeginPath(context);
    CGContextMoveToPoint(context, from.h + 0.5, from.v + 0.5);
    CGContextAddLineToPoint(context, to.h + 0.5, to.v + 0.5);
    CGContextStrokePath(context);
}

void QuartzCanvas::polygon(const CPoint* points, long count, CColor color, bool filled)
{
    if (!points || count < 2) return;
    const CGFloat centre = filled ? 0 : 0.5;
    setColors(color);
    CGContextBeginPath(context);
    CGContextMoveToPoint(context, points[0].h + centre, points[0].v + centre);
    for (long i = 1; i < count; ++i)
        CGContextAddLineToPoint(context, points[i].h + centre, points[i].v + centre);
    if (filled) CGContextClosePath(context);
    finishPath(filled);
}

void QuartzCanvas::ellipse(const CRect& r, CColor color, bool filled)
{
    arc(r, 0, 360, color, filled);
}

// Built in a unit circle's space scaled to the ellipse, stroked in the canvas's own, so that
// the line keeps its width. Screen y grows downwards: angles turn towards negative y.
void QuartzCanvas::arc(const CRect& r, double startDegrees, double endDegrees, CColor color,
                       bool filled)
{
    const CGFloat inset = filled ? 0 : 0.5;
    const CGFloat rx = r.getWidth() / 2.0 - inset, ry = r.getHeight() / 2.0 - inset;
    if (rx <= 0 || ry <= 0) return;
    const bool whole = std::fabs(endDegrees - startDegrees) >= 360;
    setColors(color);
    CGContextBeginPath(context);
    CGContextSaveGState(context);
    CGContextTranslateCTM(context, r.left + r.getWidth() / 2.0, r.top + r.getHeight() / 2.0);
    CGContextScaleCTM(context, rx, -ry);
    if (filled && !whole) CGContextMoveToPoint(context, 0, 0);
    CGContextAddArc(context, 0, 0, 1, startDegrees * M_PI / 180, endDegrees * M_PI / 180, 0);
    if (filled || whole) CGContextClosePath(context);
    CGContextRestoreGState(context);
    finishPath(filled);
}

void QuartzCanvas::blit(const QuartzImage& source, const CRect& dest, const CPoint& srcOffset,
                        int32_t blendMode, uint8_t alpha)
{
    CGImageRef whole = source.createImage();
    if (!whole) return;
    CGContextSaveGState(context);
    CGContextClipToRect(context, rectOf(dest));
    CGContextSetBlendMode(context, blendMode);
    CGContextSetAlpha(context, alpha / 255.0);
    // Image space counts from the bottom: drawn upside down into a flipped place.
    // Its size in units: a denser image's pixels land on as many of a dense surface's.
    const CGFloat left = CGFloat(dest.left - srcOffset.h), top = CGFloat(dest.top - srcOffset.v);
    const CGFloat width = CGFloat(source.width() / source.density()),
                  height = CGFloat(source.height() / source.density());
    CGContextTranslateCTM(context, left, top + height);
    CGContextScaleCTM(context, 1, -1);
    CGContextDrawImage(context, CGRect{{0, 0}, {width, height}}, whole);
    CGContextRestoreGState(context);
    CGImageRelease(whole);
}

void QuartzCanvas::drawImage(const PlatformImage& source, const CRect& dest,
                             const CPoint& srcOffset, uint8_t alpha)
{
    blit(static_cast<const QuartzImage&>(source), dest, srcOffset, kCGBlendModeNormal, alpha);
}

// Only image canvases are read: the window's pixels go through the back buffer.
void QuartzCanvas::copyArea(PlatformCanvas& source, const CRect& dest, const CPoint& srcOffset)
{
    auto& from = static_cast<QuartzCanvas&>(source);
    if (from.image) blit(*from.image, dest, srcOffset, kCGBlendModeCopy, 255);
}

bool QuartzCanvas::readPixel(const CPoint& p, CColor& color)
{
    const long x = long(p.h * density()), y = long(p.v * density());
    if (!image || x < 0 || y < 0 || x >= image->width() || y >= image->height()) return false;
    CGContextFlush(context);
    const uint32_t word = image->pixels()[y * image->stride() + x];
    const unsigned a = word >> 24;
    auto straight = [a](uint32_t c) { return uint8_t(a ? std::min(255u, c * 255 / a) : 0); };
    color = CColor{straight(word >> 16 & 0xff), straight(word >> 8 & 0xff), straight(word & 0xff),
                   uint8_t(a)};
    return true;
}

void QuartzCanvas::flush()
{
    CGContextFlush(context);
}
