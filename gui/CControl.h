// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CControlListener.h"
#include "gui/CView.h"

// Base of every view that holds a value: a normalised value with its range, a tag naming
// it for the listener, the begin/end-edit bracket that reaches the host through the frame,
// and the input helpers the concrete controls share.
//
// setValue only stores: it neither clamps nor marks the control dirty. The dirty test
// compares the value with the old value, the value last drawn.
class CControl : public CView
{
  public:
    CControl(const CRect& size, CControlListener* listener = nullptr, long tag = 0,
             CBitmap* background = nullptr);
    ~CControl() override;

    void draw(CDrawContext* context) override = 0;
    bool isDirty() const override;
    // true: old value := something other than the value; false: old value := value.
    void setDirty(bool state = true) override;
    bool isTypeOf(const char* type) const override;

    // Keeps the window redrawing and the host served during a mouse-tracking loop.
    virtual void doIdleStuff();

    virtual void setValue(float newValue) { value = newValue; }
    virtual float getValue() const { return value; }
    virtual void setMin(float newMin) { vmin = newMin; }
    virtual float getMin() const { return vmin; }
    virtual void setMax(float newMax) { vmax = newMax; }
    virtual float getMax() const { return vmax; }
    virtual void setOldValue(float newOld) { oldValue = newOld; }
    virtual float getOldValue() const { return oldValue; }
    virtual void setDefaultValue(float newDefault) { defaultValue = newDefault; }
    virtual float getDefaultValue() const { return defaultValue; }
    virtual void setTag(long newTag) { tag = newTag; }
    virtual long getTag() const { return tag; }

    // Make this control the focus view and tell the host a gesture starts / ends.
    virtual void beginEdit();
    virtual void endEdit();

    virtual void setBackOffset(const CPoint& offset) { backOffset = offset; }
    // Back offset := the top-left corner of the control's own rectangle.
    virtual void copyBackOffset();

    virtual void setWheelInc(float increment) { wheelInc = increment; }
    virtual float getWheelInc() const { return wheelInc; }

    // Clamps the value into min..max (a NaN stays as it is).
    virtual void bounceValue();
    // On a control-click (left button and the control key, nothing else) resets the value
    // to the default inside a begin/end-edit bracket and answers true.
    virtual bool checkDefaultValue(CDrawContext* context, long buttons);

    // True for a click closer to the previous one than the double-click delay.
    bool isDoubleClick();

    CControlListener* getListener() const { return listener; }
    void setListener(CControlListener* newListener) { listener = newListener; }
    const CPoint& getBackOffset() const { return backOffset; }

  protected:
    // The first steps every mouse-tracking control takes on a click: resolves a button
    // state of -1, requires the left button, offers modified clicks to the listener and
    // handles the control-click reset. True when the control should go on to track.
    bool acceptsClick(CDrawContext* context, long& buttons);
    // Tells the listener when the value now differs from what is drawn.
    void reportIfChanged(CDrawContext* context);
    // Draws `bitmap` into the control's rectangle from `offset`, honouring transparency.
    void drawBitmap(CDrawContext* context, CBitmap* bitmap, const CPoint& offset);

    CControlListener* listener;
    long tag;
    float oldValue = 1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float vmin = 0.0f;
    float vmax = 1.0f;
    float wheelInc = 0.1f;
    long lastTicks = -1;
    long doubleClickDelay;
    CPoint backOffset;
};
