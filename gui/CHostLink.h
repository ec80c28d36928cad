// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The toolkit's one way to the plug-in host: the frame and its controls call these, and the
// editor base answers them through its EditorHost. Nothing else in the toolkit knows the host.
class CHostLink
{
  public:
    // Around a user gesture on the control bound to parameter index.
    virtual void beginEdit(long index) = 0;
    virtual void endEdit(long index) = 0;
    // Asks the host to give its window this content size; false when it cannot.
    virtual bool sizeWindow(long width, long height) = 0;
    // Keeps the host and the frame served while a control tracks the mouse in a loop.
    virtual void doIdleStuff() = 0;
    // How knobs turn with the mouse; 2 is linear dragging.
    virtual long getKnobMode() const = 0;
    // The screen pixels per frame unit a new frame starts at.
    virtual double getContentScale() const = 0;

  protected:
    ~CHostLink() = default;
};
