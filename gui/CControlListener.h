// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CControl;
class CDrawContext;

// What a control tells its owner (the editor) about user gestures.
class CControlListener
{
  public:
    virtual ~CControlListener() = default;

    // Called after the control's value changed in a user gesture.
    virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
    // Called when the left button is pressed together with a modifier key; a non-zero
    // answer means the listener handled the click and the control does nothing more.
    virtual long controlModifierClicked(CDrawContext* /*context*/, CControl* /*control*/,
                                        long /*buttons*/)
    {
        return 0;
    }
};
