// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/mac/QuartzDrawing.h"

#include "gui/platform/TextEncoding.h"

#include <algorithm>
#include <cmath>

void QuartzCanvas::setFont(const char* face, long size, long style)
{
    if (font) CFRelease(font);
    fontSize = size;
    fontStyle = style;
    CFStringRef name = CFStringCreateWithCString(nullptr, face, kCFStringEncodingUTF8);
    font = name ? CTFontCreateWithName(name, CGFloat(size), nullptr) : nullptr;
    if (name) CFRelease(name);
    const uint32_t traits = (style & kPlatformBold ? kCTFontBoldTrait : 0) |
                            (style & kPlatformItalic ? kCTFontItalicTrait : 0);
    if (font && traits)
    {
        // A face without the style keeps its plain form.
        CTFontRef styled = CTFontCreateCopyWithSymbolicTraits(font, 0, nullptr, traits, traits);
        if (styled)
        {
            CFRelease(font);
            font = styled;
        }
    }
}

// Text that is not UTF-8 is taken as Mac Roman, the system's classic 8-bit encoding; the
// colour comes from the context's fill.
CTLineRef QuartzCanvas::createLine(const char* text, CGFloat& width)
{
    width = 0;
    if (!text || !font) return nullptr;
    CFStringRef string = CFStringCreateWithCString(
        nullptr, text, isUtf8(text) ? kCFStringEncodingUTF8 : kCFStringEncodingMacRoman);
    if (!string) return nullptr;
    const void* keys[] = {kCTFontAttributeName, kCTForegroundColorFromContextAttributeName};
    const void* values[] = {font, kCFBooleanTrue};
    CFDictionaryRef attributes = CFDictionaryCreate(
        nullptr, keys, values, 2, kCFTypeDictionaryKeyCallBacks, kCFTypeDictionaryValueCallBacks);
    CFAttributedStringRef attributed = CFAttributedStringCreate(nullptr, string, attributes);
    CTLineRef line = attributed ? CTLineCreateWithAttributedString(attributed) : nullptr;
    if (line) width = CGFloat(CTLineGetTypographicBounds(line, nullptr, nullptr, nullptr));
    if (attributed) CFRelease(attributed);
    CFRelease(attributes);
    CFRelease(string);
    return line;
}

long QuartzCanvas::textWidth(const char* text)
{
    CGFloat width = 0;
    CTLineRef line = createLine(text, width);
    if (line) CFRelease(line);
    return std::lround(width);
}

// Text is always antialiased; shapes follow the draw mode.
void QuartzCanvas::drawText(const char* text, const CPoint& origin, CColor color)
{
    CGFloat width = 0;
    CTLineRef line = createLine(text, width);
    if (!line) return;
    setColors(color);
    CGContextSetShouldAntialias(context, true);
    CGContextSetTextPosition(context, origin.h, origin.v);
    CTLineDraw(line, context);
    CGContextSetShouldAntialias(context, antialias);
    CFRelease(line);
    if (fontStyle & kPlatformUnderline)
    {
        const long thickness = std::max(1L, fontSize / 12);
        fillRect(
            CRect(origin.h, origin.v + 1, origin.h + std::lround(width), origin.v + 1 + thickness),
            color);
    }
}
