// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/windows/GdiDrawing.h"

#include <algorithm>

namespace
{

// A 32-bit top-down DIB section; its memory comes zeroed from the system.
HBITMAP createSection(long width, long height, uint32_t*& bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<uint32_t*>(memory);
    return bitmap;
}

} // namespace

std::unique_ptr<PlatformImage> PlatformImage::create(long width, long height)
{
    return GdiImage::create(width, height);
}

std::unique_ptr<GdiImage> GdiImage::create(long width, long height)
{
    if (width <= 0 || height <= 0) return nullptr;
    uint32_t* bits = nullptr;
    HBITMAP bitmap = createSection(width, height, bits);
    if (!bitmap) return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
    {
        DeleteObject(bitmap);
        return nullptr;
    }
    return std::unique_ptr<GdiImage>(new GdiImage(width, height, bitmap, dc, bits));
}

GdiImage::GdiImage(long width, long height, HBITMAP bitmap, HDC dc, uint32_t* bits)
    : fWidth(width), fHeight(height), fBitmap(bitmap), fPreviousBitmap(SelectObject(dc, bitmap)),
      fDC(dc), fBits(bits)
{
}

GdiImage::~GdiImage()
{
    SelectObject(fDC, fPreviousBitmap);
    DeleteDC(fDC);
    DeleteObject(fBitmap);
}

// The canvas on an image of another density scales coordinates itself.
bool GdiImage::setDensity(double density)
{
    if (!(density >= 1 && density <= 4)) return false;
    fDensity = density;
    return true;
}

// GDI may still be drawing into the section; the caller reads and writes it directly.
uint32_t* GdiImage::pixels()
{
    GdiFlush();
    return fBits;
}

const uint32_t* GdiImage::pixels() const
{
    GdiFlush();
    return fBits;
}

// ---- coverage mask

CoverageMask::~CoverageMask()
{
    if (!fDC) return;
    if (fBitmap) SelectObject(fDC, fPreviousBitmap);
    DeleteDC(fDC);
    if (fBitmap) DeleteObject(fBitmap);
}

// Text is measured and drawn with the mask's device context, which lives as long as the
// mask (fonts stay selected into it).
HDC CoverageMask::getDC()
{
    if (fDC) return fDC;
    fDC = CreateCompatibleDC(nullptr);
    if (!fDC) return nullptr;
    SetBkMode(fDC, TRANSPARENT);
    SetTextColor(fDC, RGB(255, 255, 255));
    SetTextAlign(fDC, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    return fDC;
}

// Grows the mask (never shrinks it): one section serves every primitive of a canvas.
bool CoverageMask::reserve(long width, long height)
{
    if (fBitmap && width <= fWidth && height <= fHeight) return true;
    width = std::max(width, fWidth);
    height = std::max(height, fHeight);
    uint32_t* bits = nullptr;
    HBITMAP bitmap = createSection(width, height, bits);
    if (!bitmap || !getDC())
    {
        if (bitmap) DeleteObject(bitmap);
        return false;
    }
    HGDIOBJ previous = SelectObject(fDC, bitmap);
    if (fBitmap)
        DeleteObject(fBitmap);
    else
        fPreviousBitmap = previous;
    fBitmap = bitmap;
    fBits = bits;
    fWidth = width;
    fHeight = height;
    return true;
}

bool CoverageMask::begin(const CRect& area)
{
    if (!reserve(area.getWidth(), area.getHeight())) return false;
    fArea = area;
    GdiFlush();
    for (long y = 0; y < area.getHeight(); ++y)
        std::fill_n(fBits + y * fWidth, area.getWidth(), 0u);
    SetViewportOrgEx(fDC, -area.left, -area.top, nullptr);
    return true;
}
