// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/PlatformWindow.h"
#include "gui/platform/mac/MacSystem.h"

#include <bitset>

// The frame's view inside the host's NSView: Cocoa delivers its events through the view, a
// run-loop timer drives the frame's idle pass, and drawRect: shows the frame's back buffer.
class CocoaWindow final : public PlatformWindow
{
  public:
    CocoaWindow(CFrame& frame, id parent, long width, long height);
    ~CocoaWindow() override;
    bool usable() const { return view != nullptr; }

    uintptr_t getWindowId() const override { return reinterpret_cast<uintptr_t>(view); }
    double surfaceDensity() const override { return backingScale; }
    void present(const PlatformImage& image, const CRect& rect) override;
    void dispatchEvents() override {}
    void dispatchRepaint() override;
    bool resize(long width, long height) override;
    bool move(long x, long y) override;
    bool getGeometry(CRect& rect) const override;
    void setCursor(int) override {}
    CPoint getPointer() const override;
    long getButtons() const override;

    // From the view.
    void draw(const CGRect& dirty);
    void mouseDown(id event);
    void scrollWheel(id event);
    // False when the frame does not take the key: it goes on to the host.
    bool key(id event, bool down);
    // The view's window moved to a screen of another density, or the view to another window.
    void backingChanged();

  private:
    static void tick(CFRunLoopTimerRef, void* self);

    CFrame& frame;
    id view = nullptr;
    CFRunLoopTimerRef timer = nullptr;
    const PlatformImage* backBuffer = nullptr;
    CRect geometry;
    double backingScale = 1;
    std::bitset<128> keysTaken; // by virtual key code
};
