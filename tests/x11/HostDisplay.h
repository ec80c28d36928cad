// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <X11/Xlib.h>

// The test host's connection, open for the whole run: the server resets whenever
// its last client leaves, and refuses connections meanwhile. Null without a display.
inline Display* hostDisplay()
{
    static Display* display = XOpenDisplay(nullptr);
    return display;
}
