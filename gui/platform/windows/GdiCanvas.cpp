// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/windows/GdiDrawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

// Pixel rules as on every platform: integer coordinates name pixels, outlines and lines run
// through pixel centres and both end pixels of a line are painted, fills cover whole pixels.
// GDI shapes carry no antialiasing.

namespace
{

// x / 255, rounded, for x up to 255 * 255 * 2.
inline uint32_t div255(uint32_t x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// Source-over of `color` at per-channel coverage `mask` onto one premultiplied pixel.
inline uint32_t blendPixel(uint32_t pixel, uint32_t mask, CColor color)
{
    const uint32_t cr = mask >> 16 & 0xff, cg = mask >> 8 & 0xff, cb = mask & 0xff;
    const uint32_t ca = std::max({cr, cg, cb});
    if (ca == 255 && cr == 255 && cg == 255 && cb == 255 && color.alpha == 255)
        return 0xff000000u | uint32_t(color.red) << 16 | uint32_t(color.green) << 8 | color.blue;
    auto channel = [](uint32_t source, uint32_t coverage, uint32_t alpha, uint32_t dest)
    {
        const uint32_t a = div255(alpha * coverage);
        return div255(source * a + dest * (255 - a));
    };
    const uint32_t r = channel(color.red, cr, color.alpha, pixel >> 16 & 0xff);
    const uint32_t g = channel(color.green, cg, color.alpha, pixel >> 8 & 0xff);
    const uint32_t b = channel(color.blue, cb, color.alpha, pixel & 0xff);
    const uint32_t a = channel(255, ca, color.alpha, pixel >> 24);
    return a << 24 | r << 16 | g << 8 | b;
}

// A point far along the ray from the centre of r at `degrees` (counter-clockwise on screen),
// as GDI's arcs take their ends.
POINT rayPoint(const CRect& r, double degrees)
{
    const double radians = degrees * M_PI / 180.0;
    const double reach = 4.0 * std::max(r.getWidth(), r.getHeight()) + 16.0;
    const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    return {LONG(std::lround(cx + reach * std::cos(radians))),
            LONG(std::lround(cy - reach * std::sin(radians)))};
}

// Solid cosmetic lines leave out their last pixel: a one-pixel step on from there paints it.
// (Dotted ones keep the system's own rule.)
void paintLastPixel(HDC dc)
{
    POINT end;
    GetCurrentPositionEx(dc, &end);
    LineTo(dc, end.x + 1, end.y);
}

} // namespace

std::unique_ptr<PlatformCanvas> PlatformCanvas::onSurface(void* systemSurface)
{
    if (!systemSurface) return nullptr;
    return std::make_unique<GdiCanvas>(static_cast<HDC>(systemSurface));
}

std::unique_ptr<PlatformCanvas> PlatformCanvas::onImage(PlatformImage& image)
{
    return std::make_unique<GdiCanvas>(static_cast<GdiImage&>(image));
}

GdiCanvas::GdiCanvas(GdiImage& image)
    : fDC(image.getDC()), fPixels(image.pixels()), fWidth(image.width()), fHeight(image.height()),
      fClip(0, 0, image.width(), image.height())
{
}

GdiCanvas::GdiCanvas(HDC dc) : fDC(dc), fClip(0, 0, 0x7fff, 0x7fff) {}

// Nothing of ours may stay selected into a device context when it is deleted.
GdiCanvas::~GdiCanvas()
{
    if (fFont)
    {
        SelectObject(fMask.getDC(), GetStockObject(SYSTEM_FONT));
        DeleteObject(fFont);
    }
    if (fPen) DeleteObject(fPen);
}

void GdiCanvas::setClip(const CRect& clip)
{
    fClip = clip;
}

CRect GdiCanvas::visible(CRect r) const
{
    r.bound(fClip);
    if (fPixels) r.bound(CRect(0, 0, fWidth, fHeight));
    return r;
}

void GdiCanvas::setLine(long width, bool dotted)
{
    width = std::max(1L, width);
    if (fPen && width == fLineWidth && dotted == fDotted) return;
    fLineWidth = width;
    fDotted = dotted;
    if (fPen) DeleteObject(fPen);
    fPen = nullptr;
}

// Width 1: the system's cosmetic pens (dotted is its dotted pen). Wider: a geometric pen
// that stays inside the outlines of closed shapes.
HPEN GdiCanvas::outlinePen()
{
    if (fPen) return fPen;
    if (fLineWidth <= 1)
    {
        fPen = CreatePen(fDotted ? PS_DOT : PS_SOLID, 1, RGB(255, 255, 255));
    }
    else
    {
        const LOGBRUSH brush{BS_SOLID, RGB(255, 255, 255), 0};
        const DWORD style =
            PS_GEOMETRIC | (fDotted ? PS_DOT : PS_INSIDEFRAME) | PS_ENDCAP_FLAT | PS_JOIN_MITER;
        fPen = ExtCreatePen(style, DWORD(fLineWidth), &brush, 0, nullptr);
    }
    return fPen;
}

// Primitives of filled shapes take a white pen too, so that they cover the same pixels as
// their outline would.
HPEN GdiCanvas::selectPrimitive(HDC dc, bool filled)
{
    HPEN pen = filled ? static_cast<HPEN>(GetStockObject(WHITE_PEN)) : outlinePen();
    if (!pen) return nullptr;
    SelectObject(dc, pen);
    SelectObject(dc, GetStockObject(filled ? WHITE_BRUSH : NULL_BRUSH));
    return pen;
}

void GdiCanvas::blendInto(uint32_t* pixels, long stride, const CRect& area, CColor color,
                          const CPoint& origin)
{
    for (long y = area.top; y < area.bottom; ++y)
    {
        uint32_t* row = pixels + (y - origin.v) * stride - origin.h;
        for (long x = area.left; x < area.right; ++x)
        {
            const uint32_t mask = fMask.at(x, y) & 0xffffff;
            if (mask) row[x] = blendPixel(row[x], mask, color);
        }
    }
}

// An image is blended in place; a device context's pixels are copied out and back.
void GdiCanvas::blend(const CRect& area, CColor color)
{
    if (fPixels)
    {
        GdiFlush();
        return blendInto(fPixels, fWidth, area, color, CPoint(0, 0));
    }
    std::unique_ptr<GdiImage> copy = GdiImage::create(area.getWidth(), area.getHeight());
    if (!copy) return;
    const int w = area.getWidth(), h = area.getHeight();
    BitBlt(copy->getDC(), 0, 0, w, h, fDC, area.left, area.top, SRCCOPY);
    blendInto(copy->pixels(), copy->stride(), area, color, area.getTopLeft());
    BitBlt(fDC, area.left, area.top, w, h, copy->getDC(), 0, 0, SRCCOPY);
}

void GdiCanvas::fillRect(const CRect& r, CColor color)
{
    if (r.isEmpty()) return;
    drawPrimitive(r, color, true,
                  [&r](HDC dc)
                  {
                      const RECT area{r.left, r.top, r.right, r.bottom};
                      FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
                  });
}

// The border pixels of the area fillRect fills, fLineWidth deep.
void GdiCanvas::strokeRect(const CRect& r, CColor color)
{
    if (r.isEmpty()) return;
    const long w = fLineWidth;
    if (r.getWidth() <= 2 * w || r.getHeight() <= 2 * w) return fillRect(r, color);
    drawPrimitive(r, color, false,
                  [&r](HDC dc) { Rectangle(dc, r.left, r.top, r.right, r.bottom); });
}

void GdiCanvas::line(const CPoint& from, const CPoint& to, CColor color)
{
    CRect bounds(std::min(from.h, to.h), std::min(from.v, to.v), std::max(from.h, to.h) + 1,
                 std::max(from.v, to.v) + 1);
    bounds.inset(-fLineWidth, -fLineWidth);
    const bool solidCosmetic = fLineWidth <= 1 && !fDotted;
    drawPrimitive(bounds, color, false,
                  [&](HDC dc)
                  {
                      MoveToEx(dc, from.h, from.v, nullptr);
                      LineTo(dc, to.h, to.v);
                      if (solidCosmetic) paintLastPixel(dc);
                  });
}

void GdiCanvas::polygon(const CPoint* points, long count, CColor color, bool filled)
{
    if (!points || count < 2) return;
    std::vector<POINT> corners(static_cast<size_t>(count));
    CRect bounds(points[0].h, points[0].v, points[0].h + 1, points[0].v + 1);
    for (long i = 0; i < count; ++i)
    {
        corners[size_t(i)] = {points[i].h, points[i].v};
        bounds.unite(CRect(points[i].h, points[i].v, points[i].h + 1, points[i].v + 1));
    }
    bounds.inset(-fLineWidth, -fLineWidth);
    const bool solidCosmetic = fLineWidth <= 1 && !fDotted;
    drawPrimitive(bounds, color, filled,
                  [&](HDC dc)
                  {
                      if (filled)
                      {
                          SetPolyFillMode(dc, WINDING);
                          Polygon(dc, corners.data(), int(count));
                          return;
                      }
                      MoveToEx(dc, corners[0].x, corners[0].y, nullptr);
                      PolylineTo(dc, corners.data() + 1, DWORD(count - 1));
                      if (solidCosmetic) paintLastPixel(dc);
                  });
}

void GdiCanvas::ellipse(const CRect& r, CColor color, bool filled)
{
    if (r.isEmpty()) return;
    drawPrimitive(r, color, filled,
                  [&r](HDC dc) { Ellipse(dc, r.left, r.top, r.right, r.bottom); });
}

void GdiCanvas::arc(const CRect& r, double startDegrees, double endDegrees, CColor color,
                    bool filled)
{
    if (r.isEmpty() || startDegrees == endDegrees) return;
    if (std::fabs(endDegrees - startDegrees) >= 360) return ellipse(r, color, filled);
    const POINT start = rayPoint(r, startDegrees), end = rayPoint(r, endDegrees);
    drawPrimitive(r, color, filled,
                  [&](HDC dc)
                  {
                      SetArcDirection(dc, AD_COUNTERCLOCKWISE);
                      if (filled)
                          Pie(dc, r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y);
                      else
                          Arc(dc, r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y);
                  });
}

// ---- images

namespace
{

using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                         BLENDFUNCTION);

bool alphaBlendLookedUp = false;
AlphaBlendFunction alphaBlend = nullptr;

// The system's blend function, from "msimg32.dll" loaded at first use (drawing runs on the
// user-interface thread only); null without it. A plain flag rather than a function-local
// static: a guarded static would attach threading state of the runtime to the host's thread,
// which the module could not release when it is unloaded.
AlphaBlendFunction systemAlphaBlend()
{
    if (!alphaBlendLookedUp)
    {
        alphaBlendLookedUp = true;
        if (HMODULE library = LoadLibraryA("msimg32.dll"))
            alphaBlend = reinterpret_cast<AlphaBlendFunction>(
                reinterpret_cast<void*>(GetProcAddress(library, "AlphaBlend")));
    }
    return alphaBlend;
}

} // namespace

// The visible part of dest whose source pixels lie inside a source of width x height, and
// where the source's first pixel lands.
CRect GdiCanvas::placeSource(const CRect& dest, const CPoint& srcOffset, long width, long height,
                             CPoint& origin) const
{
    origin = CPoint(dest.left - srcOffset.h, dest.top - srcOffset.v);
    CRect area = visible(dest);
    if (width >= 0) area.bound(CRect(origin.h, origin.v, origin.h + width, origin.v + height));
    return area;
}

// Blended with the system's function; a plain copy where it is missing.
void GdiCanvas::drawImage(const PlatformImage& image, const CRect& dest, const CPoint& srcOffset,
                          uint8_t alpha)
{
    CPoint origin;
    const CRect area = placeSource(dest, srcOffset, image.width(), image.height(), origin);
    if (area.isEmpty() || alpha == 0) return;
    const int w = area.getWidth(), h = area.getHeight();
    const int x = area.left - origin.h, y = area.top - origin.v;
    HDC sourceDC = static_cast<const GdiImage&>(image).getDC();
    if (AlphaBlendFunction alphaBlend = systemAlphaBlend())
        alphaBlend(fDC, area.left, area.top, w, h, sourceDC, x, y, w, h,
                   BLENDFUNCTION{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA});
    else
        BitBlt(fDC, area.left, area.top, w, h, sourceDC, x, y, SRCCOPY);
}

void GdiCanvas::copyArea(PlatformCanvas& source, const CRect& dest, const CPoint& srcOffset)
{
    const auto& from = static_cast<const GdiCanvas&>(source);
    CPoint origin;
    const long width = from.fPixels ? from.fWidth : -1; // a window's extent is the system's
    const CRect area = placeSource(dest, srcOffset, width, from.fHeight, origin);
    if (area.isEmpty()) return;
    BitBlt(fDC, area.left, area.top, area.getWidth(), area.getHeight(), from.fDC,
           area.left - origin.h, area.top - origin.v, SRCCOPY);
}

bool GdiCanvas::readPixel(const CPoint& p, CColor& color)
{
    if (!fPixels)
    {
        const COLORREF pixel = GetPixel(fDC, p.h, p.v);
        if (pixel == CLR_INVALID) return false;
        color = {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel), 255};
        return true;
    }
    if (p.h < 0 || p.v < 0 || p.h >= fWidth || p.v >= fHeight) return false;
    GdiFlush();
    const uint32_t pixel = fPixels[p.v * fWidth + p.h];
    const uint32_t a = pixel >> 24;
    auto straight = [a](uint32_t c) { return uint8_t(a ? std::min(255u, c * 255 / a) : 0); };
    color = {straight(pixel >> 16 & 0xff), straight(pixel >> 8 & 0xff), straight(pixel & 0xff),
             uint8_t(a)};
    return true;
}
