// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CControl.h"

// A control with a fixed number of positions drawn as one frame of a vertical film strip.
// The control is divided into horizontal bands, one per position from the top; a click or
// drag selects the band under the pointer. Position i has the value i / (positions - 1).
class CVerticalSwitch : public CControl
{
  public:
    CVerticalSwitch(const CRect& size, CControlListener* listener, long tag, long subPixmaps,
                    long heightOfOneImage, long maxPositions, CBitmap* background,
                    const CPoint& offset = CPoint(0, 0));
    ~CVerticalSwitch() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
    bool isTypeOf(const char* type) const override;

    // The position drawn for the current value: the nearest one, halves rounding up,
    // kept within the strip.
    long shownPosition() const;

  private:
    float valueAt(const CPoint& where, double band) const;

    CPoint offset;
    [[maybe_unused]] long subPixmaps; // kept as given: the position count picks the frame
    long heightOfOneImage;
    long maxPositions;
};
