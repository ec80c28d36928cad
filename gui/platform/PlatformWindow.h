// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CGeometry.h"

#include <cstdint>
#include <memory>

class CFrame;
class PlatformImage;

// The window-system half of the platform layer: the frame's own child window
// inside the host's window. It turns the window system's events into frame calls
// (paint, click, wheel, key) and shows the frame's back buffer.
class PlatformWindow
{
  public:
    virtual ~PlatformWindow() = default;

    // The window system's id of the frame's window (an X11 Window, a Windows HWND).
    virtual uintptr_t getWindowId() const = 0;
    // The file descriptor that becomes readable when events are pending (an X11 connection's),
    // for hosts that watch it in their run loop; -1 for none.
    virtual int getEventDescriptor() const { return -1; }
    // Device pixels per pixel of the window where the system counts in points (2 on a Retina
    // screen): the frame's back buffer is that much denser.
    virtual double surfaceDensity() const { return 1; }
    // Copies rect of the frame-sized image to the same place on the window.
    virtual void present(const PlatformImage& image, const CRect& rect) = 0;

    // Delivers every pending event to the frame. A call made while an event is
    // being handled (a control tracking the mouse) delivers only repaints.
    virtual void dispatchEvents() = 0;
    // Delivers one pending repaint, if there is one.
    virtual void dispatchRepaint() = 0;
    virtual bool resize(long width, long height) = 0;
    virtual bool move(long x, long y) = 0;
    // The window's rectangle relative to its parent.
    virtual bool getGeometry(CRect& rect) const = 0;
    virtual void setCursor(int type) = 0;

    // The pointer relative to the window and the button-state bits.
    virtual CPoint getPointer() const = 0;
    virtual long getButtons() const = 0;
};

// Opens a child window of width x height at 0,0 inside parent. Null when there
// is no display or parent is not a window; the caller then runs without one.
std::unique_ptr<PlatformWindow> createPlatformWindow(CFrame& frame, void* parent, long width,
                                                     long height);
