// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/linux/CairoDrawing.h"

#include "gui/platform/TextEncoding.h"

#include <cmath>

// Cairo accepts only UTF-8 and stops drawing altogether after invalid input.
namespace
{
std::string toUtf8(const char* text)
{
    if (isUtf8(text)) return text;
    std::string out;
    for (auto* s = reinterpret_cast<const unsigned char*>(text); *s; ++s)
    {
        if (*s < 0x80)
            out += char(*s);
        else
        {
            out += char(0xc0 | *s >> 6);
            out += char(0x80 | (*s & 0x3f));
        }
    }
    return out;
}
} // namespace

void CairoCanvas::setFont(const char* face, long size, long style)
{
    fontFace = face;
    fontSize = size;
    fontStyle = style;
    cairo_select_font_face(
        cr, face, style & kPlatformItalic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
        style & kPlatformBold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, double(size));
    recoverFromError();
}

long CairoCanvas::textWidth(const char* text)
{
    if (!text) return 0;
    cairo_text_extents_t extents;
    cairo_text_extents(cr, toUtf8(text).c_str(), &extents);
    recoverFromError();
    return std::lround(extents.x_advance);
}

// Text is always antialiased; shapes follow the draw mode.
void CairoCanvas::drawText(const char* text, const CPoint& origin, CColor color)
{
    if (!text) return;
    const std::string utf8 = toUtf8(text);
    setColor(color);
    cairo_move_to(cr, origin.h, origin.v);
    cairo_show_text(cr, utf8.c_str());
    cairo_new_path(cr);
    recoverFromError();
    if (fontStyle & kPlatformUnderline)
    {
        const long thickness = std::max(1L, fontSize / 12);
        fillRect(
            CRect(origin.h, origin.v + 1, origin.h + textWidth(text), origin.v + 1 + thickness),
            color);
    }
}
