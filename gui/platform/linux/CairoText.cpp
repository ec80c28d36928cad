#include "gui/platform/linux/CairoDrawing.h"

#include <cmath>

// Texts reach the toolkit from converters and hosts in whatever 8-bit encoding they use;
// cairo accepts only UTF-8 and stops drawing altogether after invalid input, so anything
// that is not valid UTF-8 is read as Latin-1.
namespace
{
long sequenceLength(const unsigned char* s)
{
    const long length = s[0] < 0x80           ? 1
                        : (s[0] >> 5) == 0x6  ? 2
                        : (s[0] >> 4) == 0xe  ? 3
                        : (s[0] >> 3) == 0x1e ? 4
                                              : 0;
    for (long i = 1; i < length; ++i)
        if ((s[i] & 0xc0) != 0x80) return 0;
    return length;
}

bool isUtf8(const char* text)
{
    for (auto* s = reinterpret_cast<const unsigned char*>(text); *s;)
    {
        const long length = sequenceLength(s);
        if (length == 0) return false;
        s += length;
    }
    return true;
}

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
