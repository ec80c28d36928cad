#pragma once

#include <X11/Xlib.h>

// Catches the protocol errors of our own display connections while it lives, so
// that a window that is gone or a bad id never reaches the host's error handler
// (Xlib's default one ends the process). The host's handler is put back when the
// outermost trap ends, and errors of other connections are passed on to it.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits for the server to answer everything sent so far; true when any of it failed.
    bool failed();

    // Connections whose errors are ours to catch.
    static void registerDisplay(Display* display);
    static void unregisterDisplay(Display* display);

private:
    Display* display;
    unsigned long errorsAtStart;
};
