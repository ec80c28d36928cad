// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CKnob.h"

// A knob drawn as one frame of a vertical film strip (its background bitmap), frame 0 at
// the top. The frame shown is the integer part of value x (sub-pixmaps - 1); values
// outside 0..1 show the first or the last frame.
class CAnimKnob : public CKnob
{
  public:
    CAnimKnob(const CRect& size, CControlListener* listener, long tag, long subPixmaps,
              long heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));
    ~CAnimKnob() override;

    void draw(CDrawContext* context) override;
    // Clean while the handle point has not moved since the last draw: a change of value
    // too small to move it by a pixel is neither redrawn nor reported.
    bool isDirty() const override;
    bool isTypeOf(const char* type) const override;

    void setInverseBitmap(bool inverse) { inverseBitmap = inverse; }
    // The vertical source offset into the strip of the frame shown for the current value.
    long frameOffset() const;

  private:
    long subPixmaps;
    long heightOfOneImage;
    bool inverseBitmap = false;
    CPoint lastDrawnPoint;
};
