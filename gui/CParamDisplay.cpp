// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CParamDisplay.h"

#include "gui/CBitmap.h"

#include <cstdio>
#include <cstring>

namespace
{

constexpr size_t kTextSize = 256;

} // namespace

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, long style)
    : CControl(size, nullptr, 0, background), style(style)
{
    if (style & kNoDrawStyle) setDirty(false);
}

CParamDisplay::~CParamDisplay() = default;

bool CParamDisplay::isTypeOf(const char* type) const
{
    return std::strcmp(type, "CParamDisplay") == 0 || CControl::isTypeOf(type);
}

// Marks the display dirty only when the new setting differs from the old one.
template <typename T> void CParamDisplay::change(T& field, T newValue)
{
    if (newValue != field) setDirty();
    field = newValue;
}

void CParamDisplay::setFont(CFont newFont)
{
    change(font, newFont);
}
void CParamDisplay::setFontColor(CColor color)
{
    change(fontColor, color);
}
void CParamDisplay::setBackColor(CColor color)
{
    change(backColor, color);
}
void CParamDisplay::setFrameColor(CColor color)
{
    change(frameColor, color);
}
void CParamDisplay::setShadowColor(CColor color)
{
    change(shadowColor, color);
}
void CParamDisplay::setHoriAlign(CHoriTxtAlign align)
{
    change(horiAlign, align);
}
void CParamDisplay::setStyle(long newStyle)
{
    change(style, newStyle);
}
void CParamDisplay::setTxtFace(CTxtFace face)
{
    change(txtFace, face);
}

void CParamDisplay::setStringConvert(CParamDisplayValueToString convert)
{
    stringConvert = convert;
}

void CParamDisplay::setStringConvert(CParamDisplayValueToStringWithData convert, void* data)
{
    stringConvertWithData = convert;
    userData = data;
}

void CParamDisplay::setString2FloatConvert(CParamDisplayStringToValue convert)
{
    string2FloatConvert = convert;
}

void CParamDisplay::draw(CDrawContext* context)
{
    char text[kTextSize] = {};
    if (stringConvertWithData)
        stringConvertWithData(value, text, userData);
    else if (stringConvert)
        stringConvert(value, text);
    else
        std::snprintf(text, sizeof text, "%2.2f", value);
    drawText(context, text);
}

void CParamDisplay::drawText(CDrawContext* context, const char* text, CBitmap* newBackground)
{
    setDirty(false);
    if (style & kNoDrawStyle) return;
    drawBackground(context, newBackground ? newBackground : background);
    if (style & (k3DIn | k3DOut)) draw3DEdge(context);
    if ((style & kNoTextStyle) || !text) return;

    CRect oldClip;
    context->getClipRect(oldClip);
    CRect clip = size;
    clip.bound(oldClip);
    context->setClipRect(clip);

    context->setFont(font, 0, txtFace);
    short opaque = textTransparency ? 0 : 1;
    if (style & kShadowText)
    {
        CRect shadow = size;
        shadow.offset(1, 1);
        context->setFontColor(shadowColor);
        context->drawString(text, shadow, opaque, horiAlign);
    }
    context->setFontColor(fontColor);
    context->drawString(text, size, opaque, horiAlign);
    context->setClipRect(oldClip);
}

void CParamDisplay::drawBackground(CDrawContext* context, CBitmap* bitmap)
{
    if (bitmap)
    {
        drawBitmap(context, bitmap, backOffset);
        return;
    }
    if (getTransparency()) return;
    context->setFillColor(backColor);
    context->fillRect(size);
    if (!(style & (k3DIn | k3DOut | kNoFrame)))
    {
        context->setFrameColor(frameColor);
        context->drawRect(size);
    }
}

void CParamDisplay::draw3DEdge(CDrawContext* context)
{
    CRect r(size.left, size.top + 1, size.right - 1, size.bottom - 1);
    bool in = (style & k3DIn) != 0;
    context->setLineWidth(1);
    context->setFrameColor(in ? backColor : frameColor);
    context->moveTo(CPoint(size.left, r.bottom));
    context->lineTo(CPoint(size.left, r.top));
    context->lineTo(CPoint(r.right, r.top));
    context->setFrameColor(in ? frameColor : backColor);
    context->moveTo(CPoint(r.right, r.top));
    context->lineTo(CPoint(r.right, r.bottom));
    context->lineTo(CPoint(size.left, r.bottom));
}
