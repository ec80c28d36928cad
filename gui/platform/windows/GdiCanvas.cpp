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
      fDensity(image.density()),
      fClip(0, 0, long(std::ceil(fWidth / fDensity)), long(std::ceil(fHeight / fDensity)))
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
    if (fDeviceFont) DeleteObject(fDeviceFont);
    if (fPen) DeleteObject(fPen);
}

void GdiCanvas::setClip(const CRect& clip)
{
    fClip = clip;
}

CRect GdiCanvas::visible(CRect r) const
{
    r.bound(fClip);
    if (fPixels)
        r.bound(
            CRect(0, 0, long(std::ceil(fWidth / fDensity)), long(std::ceil(fHeight / fDensity))));
    return r;
}

long GdiCanvas::edge(double units) const
{
    return fDensity == 1 ? long(units) : std::lround(units * fDensity);
}

CRect GdiCanvas::toDevice(const CRect& r) const
{
    if (fDensity == 1) return r;
    return CRect(long(std::floor(r.left * fDensity)), long(std::floor(r.top * fDensity)),
                 long(std::ceil(r.right * fDensity)), long(std::ceil(r.bottom * fDensity)));
}

// The device pixel under the centre of the unit pixel p.
POINT GdiCanvas::centre(const CPoint& p) const
{
    if (fDensity == 1) return {p.h, p.v};
    return {LONG(std::floor((p.h + 0.5) * fDensity)), LONG(std::floor((p.v + 0.5) * fDensity))};
}

long GdiCanvas::deviceLineWidth() const
{
    return std::max(1L, edge(double(fLineWidth)));
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
    const long width = deviceLineWidth();
    if (width <= 1)
    {
        fPen = CreatePen(fDotted ? PS_DOT : PS_SOLID, 1, RGB(255, 255, 255));
    }
    else
    {
        const LOGBRUSH brush{BS_SOLID, RGB(255, 255, 255), 0};
        const DWORD style =
            PS_GEOMETRIC | (fDotted ? PS_DOT : PS_INSIDEFRAME) | PS_ENDCAP_FLAT | PS_JOIN_MITER;
        fPen = ExtCreatePen(style, DWORD(width), &brush, 0, nullptr);
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
                  [&](HDC dc)
                  {
                      const CRect d = toDevice(r);
                      const RECT area{d.left, d.top, d.right, d.bottom};
                      FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
                  });
}

// The border pixels of the area fillRect fills, fLineWidth deep.
void GdiCanvas::strokeRect(const CRect& r, CColor color)
{
    if (r.isEmpty()) return;
    const long w = fLineWidth;
    if (r.getWidth() <= 2 * w || r.getHeight() <= 2 * w) return fillRect(r, color);
    const CRect d = toDevice(r);
    drawPrimitive(r, color, false,
                  [&d](HDC dc) { Rectangle(dc, d.left, d.top, d.right, d.bottom); });
}

void GdiCanvas::line(const CPoint& from, const CPoint& to, CColor color)
{
    CRect bounds(std::min(from.h, to.h), std::min(from.v, to.v), std::max(from.h, to.h) + 1,
                 std::max(from.v, to.v) + 1);
    bounds.inset(-fLineWidth, -fLineWidth);
    const bool solidCosmetic = deviceLineWidth() <= 1 && !fDotted;
    const POINT start = centre(from), end = centre(to);
    drawPrimitive(bounds, color, false,
                  [&](HDC dc)
                  {
                      MoveToEx(dc, start.x, start.y, nullptr);
                      LineTo(dc, end.x, end.y);
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
        corners[size_t(i)] = centre(points[i]);
        bounds.unite(CRect(points[i].h, points[i].v, points[i].h + 1, points[i].v + 1));
    }
    bounds.inset(-fLineWidth, -fLineWidth);
    const bool solidCosmetic = deviceLineWidth() <= 1 && !fDotted;
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
    const CRect d = toDevice(r);
    drawPrimitive(r, color, filled,
                  [&d](HDC dc) { Ellipse(dc, d.left, d.top, d.right, d.bottom); });
}

void GdiCanvas::arc(const CRect& r, double startDegrees, double endDegrees, CColor color,
                    bool filled)
{
    if (r.isEmpty() || startDegrees == endDegrees) return;
    if (std::fabs(endDegrees - startDegrees) >= 360) return ellipse(r, color, filled);
    const CRect d = toDevice(r);
    const POINT start = rayPoint(d, startDegrees), end = rayPoint(d, endDegrees);
    drawPrimitive(r, color, filled,
                  [&](HDC dc)
                  {
                      SetArcDirection(dc, AD_COUNTERCLOCKWISE);
                      if (filled)
                          Pie(dc, d.left, d.top, d.right, d.bottom, start.x, start.y, end.x, end.y);
                      else
                          Arc(dc, d.left, d.top, d.right, d.bottom, start.x, start.y, end.x, end.y);
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
    const auto& source = static_cast<const GdiImage&>(image);
    const double density = source.density();
    CPoint origin;
    const CRect area = placeSource(dest, srcOffset, long(source.width() / density),
                                   long(source.height() / density), origin);
    if (area.isEmpty() || alpha == 0) return;
    if (density != 1 || fDensity != 1) return drawDensityImage(source, area, origin, alpha);
    const int w = area.getWidth(), h = area.getHeight();
    const int x = area.left - origin.h, y = area.top - origin.v;
    if (AlphaBlendFunction alphaBlend = systemAlphaBlend())
        alphaBlend(fDC, area.left, area.top, w, h, source.getDC(), x, y, w, h,
                   BLENDFUNCTION{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA});
    else
        BitBlt(fDC, area.left, area.top, w, h, source.getDC(), x, y, SRCCOPY);
}

namespace
{

// The premultiplied pixel of `image` at (x, y), bilinearly between its four neighbours.
uint32_t sampleBilinear(const GdiImage& image, double x, double y)
{
    const long w = image.width(), h = image.height();
    x = std::clamp(x, 0.0, double(w - 1));
    y = std::clamp(y, 0.0, double(h - 1));
    const long x0 = long(x), y0 = long(y);
    const long x1 = std::min(x0 + 1, w - 1), y1 = std::min(y0 + 1, h - 1);
    const double fx = x - x0, fy = y - y0;
    const uint32_t* p = image.pixels();
    const uint32_t a = p[y0 * w + x0], b = p[y0 * w + x1], c = p[y1 * w + x0], d = p[y1 * w + x1];
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        auto channel = [shift](uint32_t v) { return double(v >> shift & 0xff); };
        const double top = channel(a) + (channel(b) - channel(a)) * fx;
        const double bottom = channel(c) + (channel(d) - channel(c)) * fx;
        out |= uint32_t(std::lround(top + (bottom - top) * fy)) << shift;
    }
    return out;
}

} // namespace

// The unit area `area` of an image of another density (or onto a denser canvas): only that
// part of a film strip is scaled. Whole factors go pixel for pixel through the system's blend;
// others are filtered into a copy of the device size first.
void GdiCanvas::drawDensityImage(const GdiImage& image, const CRect& area, const CPoint& origin,
                                 uint8_t alpha)
{
    AlphaBlendFunction alphaBlend = systemAlphaBlend();
    const double density = image.density(), ratio = fDensity / density;
    CRect device = toDevice(area);
    if (fPixels) device.bound(CRect(0, 0, fWidth, fHeight));
    if (device.isEmpty() || !alphaBlend) return;
    const double sx = (area.left - origin.h) * density, sy = (area.top - origin.v) * density;
    const double sw = area.getWidth() * density, sh = area.getHeight() * density;
    if (ratio >= 1 && ratio == std::floor(ratio))
    {
        alphaBlend(fDC, device.left, device.top, device.getWidth(), device.getHeight(),
                   image.getDC(), int(sx), int(sy), int(sw), int(sh),
                   BLENDFUNCTION{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA});
        return;
    }
    std::unique_ptr<GdiImage> copy = GdiImage::create(device.getWidth(), device.getHeight());
    if (!copy) return;
    uint32_t* pixels = copy->pixels();
    const double step = 1 / ratio;
    for (long y = 0; y < device.getHeight(); ++y)
        for (long x = 0; x < device.getWidth(); ++x)
            pixels[y * copy->stride() + x] =
                sampleBilinear(image, sx + (x + 0.5) * step - 0.5, sy + (y + 0.5) * step - 0.5);
    alphaBlend(fDC, device.left, device.top, device.getWidth(), device.getHeight(), copy->getDC(),
               0, 0, device.getWidth(), device.getHeight(),
               BLENDFUNCTION{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA});
}

void GdiCanvas::copyArea(PlatformCanvas& source, const CRect& dest, const CPoint& srcOffset)
{
    const auto& from = static_cast<const GdiCanvas&>(source);
    CPoint origin;
    // A window's extent is the system's.
    const long width = from.fPixels ? long(from.fWidth / from.fDensity) : -1;
    const CRect area =
        placeSource(dest, srcOffset, width, long(from.fHeight / from.fDensity), origin);
    if (area.isEmpty()) return;
    const CRect to = toDevice(area);
    CRect sourceArea = area;
    sourceArea.offset(-origin.h, -origin.v);
    const CRect at = from.toDevice(sourceArea);
    if (to.getWidth() == at.getWidth() && to.getHeight() == at.getHeight())
        BitBlt(fDC, to.left, to.top, to.getWidth(), to.getHeight(), from.fDC, at.left, at.top,
               SRCCOPY);
    else
        StretchBlt(fDC, to.left, to.top, to.getWidth(), to.getHeight(), from.fDC, at.left, at.top,
                   at.getWidth(), at.getHeight(), SRCCOPY);
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
    const POINT at = centre(p);
    if (at.x < 0 || at.y < 0 || at.x >= fWidth || at.y >= fHeight) return false;
    GdiFlush();
    const uint32_t pixel = fPixels[at.y * fWidth + at.x];
    const uint32_t a = pixel >> 24;
    auto straight = [a](uint32_t c) { return uint8_t(a ? std::min(255u, c * 255 / a) : 0); };
    color = {straight(pixel >> 16 & 0xff), straight(pixel >> 8 & 0xff), straight(pixel & 0xff),
             uint8_t(a)};
    return true;
}
