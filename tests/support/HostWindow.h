// SPDX-License-Identifier: GPL-3.0-or-later
// A host's window on the current display, mapped, for an editor to open inside; header-only,
// so that only the tests that include it link X11. Include it after GoogleTest: Xlib's
// macros would rename its names.
#pragma once

#include <X11/Xlib.h>

namespace sferant_test
{

class HostWindow
{
  public:
    HostWindow(int width, int height) : display(XOpenDisplay(nullptr))
    {
        if (!display) return;
        window =
            XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, width, height, 0, 0, 0);
        XMapWindow(display, window);
        XSync(display, False);
    }
    ~HostWindow()
    {
        if (!display) return;
        XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // The window's id; 0 without a display.
    Window id() const { return window; }

  private:
    Display* display;
    Window window = 0;
};

} // namespace sferant_test
