// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/windows/GdiDrawing.h"

#include "gui/platform/TextEncoding.h"

#include <cstring>
#include <string>

namespace
{

// UTF-16 for the system's wide text calls (UTF-8 when valid, Latin-1 otherwise).
std::wstring wideText(const char* text)
{
    std::wstring out;
    if (!isUtf8(text))
    {
        for (auto* s = reinterpret_cast<const unsigned char*>(text); *s; ++s)
            out += wchar_t(*s);
        return out;
    }
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 1) return out;
    out.resize(size_t(length));
    MultiByteToWideChar(CP_UTF8, 0, text, -1, &out[0], length);
    out.resize(size_t(length - 1)); // without the terminating zero
    return out;
}

// A font whose character height is the size; the symbol face is a decorative family.
HFONT createFont(const char* face, long size, long style)
{
    const bool symbol = std::strcmp(face, "Symbol") == 0;
    return CreateFontA(-int(size), 0, 0, 0, style & kPlatformBold ? FW_BOLD : FW_NORMAL,
                       (style & kPlatformItalic) != 0, (style & kPlatformUnderline) != 0, FALSE,
                       ANSI_CHARSET, OUT_STRING_PRECIS, CLIP_STROKE_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | (symbol ? FF_DECORATIVE : FF_SWISS), face);
}

} // namespace

// Text is measured at the size in units, so that layout is the same at every density, and
// drawn above density 1 with a font of the device's size.
void GdiCanvas::setFont(const char* face, long size, long style)
{
    HFONT font = createFont(face, size, style);
    HDC dc = fMask.getDC();
    if (!font || !dc)
    {
        if (font) DeleteObject(font);
        return;
    }
    SelectObject(dc, font);
    if (fFont) DeleteObject(fFont);
    fFont = font;
    fFontSize = size;
    if (fDeviceFont) DeleteObject(fDeviceFont);
    fDeviceFont = fDensity == 1 ? nullptr : createFont(face, edge(double(size)), style);
}

long GdiCanvas::textWidth(const char* text)
{
    HDC dc = fMask.getDC();
    if (!text || !fFont || !dc) return 0;
    const std::wstring wide = wideText(text);
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), int(wide.size()), &extent);
    return extent.cx;
}

// GDI's own antialiasing (the font's default quality) gives the coverage.
void GdiCanvas::drawText(const char* text, const CPoint& origin, CColor color)
{
    HDC dc = fMask.getDC();
    if (!text || !fFont || !dc) return;
    const std::wstring wide = wideText(text);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), int(wide.size()), &extent);
    // Generous bounds: italic and overhanging glyphs reach past the advance.
    const long margin = fFontSize + metrics.tmOverhang;
    const CRect bounds(origin.h - margin, origin.v - metrics.tmAscent - 2,
                       origin.h + extent.cx + margin, origin.v + metrics.tmDescent + 2);
    const long x = edge(double(origin.h)), y = edge(double(origin.v));
    if (fDeviceFont) SelectObject(dc, fDeviceFont);
    drawPrimitive(bounds, color, true,
                  [&](HDC mask) { TextOutW(mask, x, y, wide.c_str(), int(wide.size())); });
    if (fDeviceFont) SelectObject(dc, fFont);
}
