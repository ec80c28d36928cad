// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/PlatformDrawing.h"

#include <windows.h>

// The GDI implementation of the drawing seam.
//
// Images are 32-bit top-down DIB sections, so that the seam's premultiplied 0xAARRGGBB
// pixels are the bitmap's own memory. GDI draws without alpha, so shapes and text are
// rasterised by GDI in white on black into a coverage mask and then blended into the
// target in the colour asked for: alpha stays right and the clip is exact.
//
// At a density above 1 the canvas scales the coordinates itself (the mask and the target
// are in device pixels), so that density 1 runs exactly the code of a plain GDI canvas.

class GdiImage final : public PlatformImage
{
  public:
    // Null when the system refuses the bitmap.
    static std::unique_ptr<GdiImage> create(long width, long height);
    ~GdiImage() override;

    long width() const override { return fWidth; }
    long height() const override { return fHeight; }
    long stride() const override { return fWidth; }
    uint32_t* pixels() override;
    const uint32_t* pixels() const override;
    void pixelsChanged() override {}
    bool setDensity(double density) override;
    double density() const override { return fDensity; }

    // A memory device context with the bitmap selected, for blits and blends.
    HDC getDC() const { return fDC; }

  private:
    GdiImage(long width, long height, HBITMAP bitmap, HDC dc, uint32_t* bits);

    long fWidth, fHeight;
    double fDensity = 1;
    HBITMAP fBitmap;
    HGDIOBJ fPreviousBitmap;
    HDC fDC;
    uint32_t* fBits;
};

// A white-on-black drawing surface that GDI rasterises one primitive into; each pixel then
// holds the primitive's coverage per colour channel.
class CoverageMask
{
  public:
    CoverageMask() = default;
    ~CoverageMask();
    CoverageMask(const CoverageMask&) = delete;
    CoverageMask& operator=(const CoverageMask&) = delete;

    // Clears `area` (target coordinates) and maps target coordinates onto the mask; false
    // when no mask of that size can be made.
    bool begin(const CRect& area);
    // Null when the system refuses a device context.
    HDC getDC();
    // The coverage of the target pixel (x, y) of the area begun.
    uint32_t at(long x, long y) const { return fBits[(y - fArea.top) * fWidth + x - fArea.left]; }

  private:
    bool reserve(long width, long height);

    HDC fDC = nullptr;
    HBITMAP fBitmap = nullptr;
    HGDIOBJ fPreviousBitmap = nullptr;
    uint32_t* fBits = nullptr;
    long fWidth = 0, fHeight = 0;
    CRect fArea;
};

class GdiCanvas final : public PlatformCanvas
{
  public:
    // On an image: blends straight into its pixels.
    explicit GdiCanvas(GdiImage& image);
    // On a device context of the caller's (a window's): pixels travel through a copy.
    explicit GdiCanvas(HDC dc);
    ~GdiCanvas() override;

    double density() const override { return fDensity; }
    void setClip(const CRect& clip) override;
    void setLine(long width, bool dotted) override;
    void setAntialias(bool) override {}

    void fillRect(const CRect& r, CColor color) override;
    void strokeRect(const CRect& r, CColor color) override;
    void line(const CPoint& from, const CPoint& to, CColor color) override;
    void polygon(const CPoint* points, long count, CColor color, bool filled) override;
    void ellipse(const CRect& r, CColor color, bool filled) override;
    void arc(const CRect& r, double startDegrees, double endDegrees, CColor color,
             bool filled) override;

    void setFont(const char* face, long size, long style) override;
    long textWidth(const char* text) override;
    void drawText(const char* text, const CPoint& origin, CColor color) override;

    void drawImage(const PlatformImage& image, const CRect& dest, const CPoint& srcOffset,
                   uint8_t alpha) override;
    void copyArea(PlatformCanvas& source, const CRect& dest, const CPoint& srcOffset) override;

    bool readPixel(const CPoint& p, CColor& color) override;
    void flush() override { GdiFlush(); }

    HDC getDC() const { return fDC; }

  private:
    // Runs `rasterise` on the coverage mask of `bounds` (clipped) with the pen or brush of
    // the primitive selected, then blends the colour into the target by that coverage.
    template <class Rasterise>
    void drawPrimitive(CRect bounds, CColor color, bool filled, Rasterise rasterise);
    void blend(const CRect& area, CColor color);
    void blendInto(uint32_t* pixels, long stride, const CRect& area, CColor color,
                   const CPoint& origin);
    CRect visible(CRect r) const;
    // Units to device pixels: edges (rounded outwards for rectangles) and pixel centres.
    long edge(double units) const;
    CRect toDevice(const CRect& r) const;
    POINT centre(const CPoint& p) const;
    long deviceLineWidth() const;
    void drawDensityImage(const GdiImage& image, const CRect& area, const CPoint& origin,
                          uint8_t alpha);
    CRect placeSource(const CRect& dest, const CPoint& srcOffset, long width, long height,
                      CPoint& origin) const;
    HPEN outlinePen();
    HPEN selectPrimitive(HDC dc, bool filled);

    HDC fDC;
    uint32_t* fPixels = nullptr;  // the image's, when drawing on one
    long fWidth = 0, fHeight = 0; // device pixels
    double fDensity = 1;
    CRect fClip;
    long fLineWidth = 1;
    bool fDotted = false;
    HPEN fPen = nullptr;
    HFONT fFont = nullptr;       // at the size in units: measures
    HFONT fDeviceFont = nullptr; // at the size in device pixels: draws, above density 1
    long fFontSize = 12;
    CoverageMask fMask;
};

template <class Rasterise>
void GdiCanvas::drawPrimitive(CRect bounds, CColor color, bool filled, Rasterise rasterise)
{
    CRect area = toDevice(visible(bounds));
    if (fPixels) area.bound(CRect(0, 0, fWidth, fHeight));
    if (area.isEmpty() || color.alpha == 0 || !fMask.begin(area)) return;
    HDC dc = fMask.getDC();
    const HGDIOBJ previousPen = GetCurrentObject(dc, OBJ_PEN);
    const HGDIOBJ previousBrush = GetCurrentObject(dc, OBJ_BRUSH);
    if (!selectPrimitive(dc, filled)) return;
    rasterise(dc);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    GdiFlush();
    blend(area, color);
}
