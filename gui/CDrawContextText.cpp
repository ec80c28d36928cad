// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CDrawContext.h"

#include "gui/platform/PlatformDrawing.h"

long CDrawContext::getStringWidth(const char* text)
{
    return text && canvas ? canvas->textWidth(text) : 0;
}

// The baseline sits at the rectangle's vertical centre (rounded towards the bottom) plus half
// the font size minus one, which centres the capitals of the standard fonts.
void CDrawContext::drawString(const char* text, const CRect& rect, short, CHoriTxtAlign align)
{
    if (!text || !canvas) return;
    CRect device = rect;
    device.offset(offset);
    const long width = canvas->textWidth(text);
    long x = device.left + device.getWidth() / 2 - width / 2;
    if (align == kLeftText)
        x = device.left + 1;
    else if (align == kRightText)
        x = device.right - width;
    const long baseline = device.top + (device.getHeight() + 1) / 2 + fontSize / 2 - 1;
    canvas->drawText(text, CPoint(x, baseline), fontColor);
}
