// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CColor.h"
#include "gui/CControl.h"

// The knob mode (editor-wide, see CFrame::getKnobMode) in which a drag is linear; in any
// other mode it is circular. Alt swaps the two.
constexpr long kLinearKnobMode = 2;

// The rotary control: its value lies on an arc of angles (radians, 0 pointing right,
// pi/2 up). By default min sits at the lower left, the middle straight up and max at the
// lower right, with a 90-degree dead gap centred on straight down.
//
// A drag is linear (200 pixels up or right sweep the range, 300 with shift) or circular
// (the value follows the pointer's angle), chosen by the frame's knob mode and the alt key.
// Wheel notches and arrow keys step by the wheel increment (a tenth of it with shift).
class CKnob : public CControl
{
  public:
    CKnob(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
          CBitmap* handle, const CPoint& offset = CPoint(0, 0));
    ~CKnob() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
    long onKeyDown(VstKeyCode& keyCode) override;
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
    bool isTypeOf(const char* type) const override;

    virtual void drawHandle(CDrawContext* context);

    // Both recompute the angle coefficients and mark the knob dirty. The coefficients
    // are not recomputed when min or max change later.
    virtual void setStartAngle(float angle);
    virtual float getStartAngle() const { return startAngle; }
    virtual void setRangeAngle(float angle);
    virtual float getRangeAngle() const { return rangeAngle; }

    // The handle point of the current value, relative to the knob's top-left corner.
    virtual void valueToPoint(CPoint& point) const;
    // The value for a point relative to the knob's top-left corner; a point in the dead
    // gap gives min on the half next to min and max on the half next to max.
    virtual float valueFromPoint(CPoint& point) const;

    virtual void setInsetValue(long value) { inset = value; }
    virtual void setColorShadowHandle(CColor color);
    virtual void setColorHandle(CColor color);
    virtual void setHandleBitmap(CBitmap* bitmap);
    virtual void setZoomFactor(float factor) { zoomFactor = factor; }
    virtual float getZoomFactor() const { return zoomFactor; }

  protected:
    void computeCoefficients();
    bool isLinearDrag(long buttons) const;

    CPoint offset;
    CColor colorHandle = kWhiteCColor;
    CColor colorShadowHandle = kGreyCColor;
    CBitmap* handleBitmap = nullptr;
    long inset = 3;
    float startAngle = 0;
    float rangeAngle = 0;
    float halfAngle = 0;
    float aCoef = 0;
    float bCoef = 0;
    float radius;
    float zoomFactor = 1.5f;
};
