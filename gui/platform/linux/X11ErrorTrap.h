// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <X11/Xlib.h>

// Catches what goes wrong on our own display connections while it lives, so that
// nothing reaches the host's handlers (Xlib's default ones end the process): the
// protocol errors of a window that is gone or a bad id, and the loss of the
// connection itself. The host's handlers are put back when the outermost trap
// ends, and errors of other connections are passed on to them.
class X11ErrorTrap
{
  public:
    // collect: wait at the end for the server to answer everything sent, so that
    // all errors arrive inside the trap.
    explicit X11ErrorTrap(Display* display, bool collect = true);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits for the server to answer everything sent so far; true when any of it failed.
    bool failed();

    // Connections whose errors are ours to catch.
    static void registerDisplay(Display* display);
    static void unregisterDisplay(Display* display);
    // True once the connection broke (the server went or dropped us); nothing
    // more may be sent on it.
    static bool connectionLost(Display* display);

  private:
    Display* display;
    bool collect;
    unsigned long errorsAtStart;
};
