// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CKnob.h"

#include "gui/CBitmap.h"
#include "gui/CButtonState.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"
#include "gui/VirtualKeys.h"

#include <cmath>
#include <cstring>

namespace
{

constexpr float kPi = 3.14159265f;
constexpr float kTwoPi = 6.2831855f; // 2 pi in single precision
constexpr double kTwoPiDouble = 6.283185307179586;
constexpr float kLinearRange = 200.0f; // pixels of a linear drag across the whole range

} // namespace

CKnob::CKnob(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
             CBitmap* handle, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), handleBitmap(handle)
{
    if (handleBitmap)
    {
        handleBitmap->remember();
        inset = long(handleBitmap->getWidth() * 0.5f + 2.5f);
    }
    radius = float(size.right - size.left) * 0.5f;
    startAngle = 5.0f * kPi / 4.0f;
    rangeAngle = -3.0f * kPi / 2.0f;
    computeCoefficients();
    setWantsFocus(true);
}

CKnob::~CKnob()
{
    if (handleBitmap) handleBitmap->forget();
}

bool CKnob::isTypeOf(const char* type) const
{
    return std::strcmp(type, "CKnob") == 0 || CControl::isTypeOf(type);
}

void CKnob::setStartAngle(float angle)
{
    startAngle = angle;
    computeCoefficients();
}

void CKnob::setRangeAngle(float angle)
{
    rangeAngle = angle;
    computeCoefficients();
}

void CKnob::computeCoefficients()
{
    aCoef = (vmax - vmin) / rangeAngle;
    bCoef = vmin - aCoef * startAngle;
    halfAngle = (kTwoPi - std::fabs(rangeAngle)) * 0.5f;
    setDirty(true);
}

void CKnob::setColorShadowHandle(CColor color)
{
    colorShadowHandle = color;
    setDirty(true);
}

void CKnob::setColorHandle(CColor color)
{
    colorHandle = color;
    setDirty(true);
}

void CKnob::setHandleBitmap(CBitmap* bitmap)
{
    if (handleBitmap) handleBitmap->forget();
    handleBitmap = bitmap;
    if (handleBitmap)
    {
        handleBitmap->remember();
        inset = long(handleBitmap->getWidth() * 0.5f + 2.5f);
    }
}

void CKnob::valueToPoint(CPoint& point) const
{
    float alpha = (value - bCoef) / aCoef;
    point.h = int32_t(radius + std::cos(alpha) * (radius - inset) + 0.5f);
    point.v = int32_t(radius - std::sin(alpha) * (radius - inset) + 0.5f);
}

float CKnob::valueFromPoint(CPoint& point) const
{
    float dy = radius - point.v;
    float dx = point.h - radius;
    float alpha = float(std::atan2(double(dy), double(dx)));
    if (alpha < 0.0f) alpha += kTwoPi;

    float alpha2 = alpha - startAngle;
    // The gap lies beyond the end of the sweep; which half of it decides min or max.
    float sweepEnd = rangeAngle < 0 ? halfAngle - rangeAngle : rangeAngle + halfAngle;
    if (rangeAngle < 0) alpha2 -= rangeAngle;
    float alpha3 = alpha2;
    if (alpha3 < 0.0f)
        alpha3 += kTwoPi;
    else if (double(alpha3) > kTwoPiDouble)
        alpha3 -= kTwoPi;

    float limit = rangeAngle < 0 ? -rangeAngle : rangeAngle;
    if (alpha3 > sweepEnd) return rangeAngle < 0 ? vmax : vmin;
    if (alpha3 > limit) return rangeAngle < 0 ? vmin : vmax;

    if (alpha2 > sweepEnd)
        alpha2 -= kTwoPi;
    else if (alpha2 < -halfAngle)
        alpha2 += kTwoPi;
    return alpha2 * aCoef + (rangeAngle < 0 ? vmax : vmin);
}

void CKnob::draw(CDrawContext* context)
{
    if (background) drawBitmap(context, background, offset);
    drawHandle(context);
    setDirty(false);
}

// A plain knob's handle: the handle bitmap centred on the handle point, or a line from the
// centre with a one-pixel shadow.
void CKnob::drawHandle(CDrawContext* context)
{
    CPoint tip;
    valueToPoint(tip);
    tip.offset(size.left, size.top);
    if (handleBitmap)
    {
        long w = handleBitmap->getWidth(), h = handleBitmap->getHeight();
        CRect where(tip.h - w / 2, tip.v - h / 2, tip.h - w / 2 + w, tip.v - h / 2 + h);
        handleBitmap->drawTransparent(context, where);
        return;
    }
    CPoint centre(size.left + (size.right - size.left) / 2,
                  size.top + (size.bottom - size.top) / 2);
    context->setLineWidth(1);
    context->setFrameColor(colorShadowHandle);
    context->moveTo(CPoint(centre.h + 1, centre.v + 1));
    context->lineTo(CPoint(tip.h + 1, tip.v + 1));
    context->setFrameColor(colorHandle);
    context->moveTo(centre);
    context->lineTo(tip);
}

bool CKnob::isLinearDrag(long buttons) const
{
    long mode = getFrame() ? getFrame()->getKnobMode() : 0;
    bool alt = (buttons & kAltKey) != 0;
    return mode == kLinearKnobMode ? !alt : alt;
}

void CKnob::mouse(CDrawContext* context, CPoint& where, long buttons)
{
    if (!context || !acceptsClick(context, buttons)) return;

    float entry = value;
    float middle = (vmax - vmin) * 0.5f;
    float coef = (vmax - vmin) / kLinearRange;
    long oldButtons = buttons;
    bool linear = isLinearDrag(buttons);
    CPoint firstPoint;
    float old = 0;
    if (linear)
    {
        float range = kLinearRange * ((buttons & kShiftKey) ? zoomFactor : 1.0f);
        coef = (vmax - vmin) / range;
        firstPoint = where;
    }
    else
    {
        CPoint local = where;
        local.offset(-size.left, -size.top);
        old = valueFromPoint(local);
    }

    beginEdit();
    CPoint lastWhere(-1, -1);
    long current;
    do
    {
        current = context->getMouseButtons();
        if (where != lastWhere)
        {
            lastWhere = where;
            if (linear)
            {
                long diff = (firstPoint.v - where.v) + (where.h - firstPoint.h);
                if (current != oldButtons)
                {
                    // Re-base on a change of shift so that the value stays where it is.
                    float range = kLinearRange * ((current & kShiftKey) ? zoomFactor : 1.0f);
                    float coef2 = (vmax - vmin) / range;
                    entry += diff * (coef - coef2);
                    coef = coef2;
                    oldButtons = current;
                }
                value = entry + diff * coef;
                bounceValue();
            }
            else
            {
                where.offset(-size.left, -size.top);
                float v = valueFromPoint(where);
                value = v;
                // No wrapping across the dead gap: stay at the end until the pointer returns.
                if (old - v > middle)
                    value = vmax;
                else if (v - old > middle)
                    value = vmin;
                else
                    old = v;
            }
            reportIfChanged(context);
        }
        getMouseLocation(context, where);
        doIdleStuff();
    } while (current & kLeftButton);
    endEdit();
}

bool CKnob::onWheel(CDrawContext* context, const CPoint& /*where*/, float distance)
{
    if (!getMouseEnabled()) return false;
    bool shift = context && (context->getMouseButtons() & kShiftKey);
    value += shift ? distance * 0.1f * wheelInc : distance * wheelInc;
    bounceValue();
    if (isDirty() && listener)
    {
        beginEdit();
        listener->valueChanged(context, this);
        endEdit();
    }
    return true;
}

long CKnob::onKeyDown(VstKeyCode& keyCode)
{
    float step;
    switch (keyCode.virt)
    {
    case kVirtKeyUp:
    case kVirtKeyRight:
        step = 1.0f;
        break;
    case kVirtKeyDown:
    case kVirtKeyLeft:
        step = -1.0f;
        break;
    default:
        return -1;
    }
    if (keyCode.modifier & kModifierShift) step *= 0.1f;
    value += step * wheelInc;
    bounceValue();
    if (isDirty() && listener)
    {
        beginEdit();
        listener->valueChanged(nullptr, this);
        endEdit();
    }
    return 1;
}
