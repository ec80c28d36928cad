// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/host_window.h"

#include <cstdint>
#include <cstdio>
#include <poll.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "tools/tool_error.h"

namespace
{

// Where an XImage keeps one colour channel: the mask's lowest set bit and its width.
struct Channel
{
    int shift = 0;
    unsigned long mask;
    explicit Channel(unsigned long m) : mask(m)
    {
        while (mask && !(mask & 1))
        {
            mask >>= 1;
            ++shift;
        }
    }
    uint32_t eightBits(unsigned long pixel) const
    {
        const unsigned long value = (pixel >> shift) & mask;
        return mask ? static_cast<uint32_t>(value * 255 / mask) : 0;
    }
};

// Xlib's default handler ends the process on any protocol error, also on one made by an editor
// on its own connection; a host reports it and carries on.
int reportXError(Display* display, XErrorEvent* error)
{
    char text[128];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "sferant-host: X error in request %d: %s\n", error->request_code, text);
    return 0;
}

} // namespace

// Owns its display connection.
struct HostWindow::System
{
    Display* display = nullptr;
    Window window = 0;
    Atom deleteWindow = 0;
    bool closed = false;
};

HostWindow::HostWindow(int width, int height, const std::string& title)
    : fSystem(std::make_unique<System>())
{
    System& s = *fSystem;
    XSetErrorHandler(reportXError);
    s.display = XOpenDisplay(nullptr);
    if (!s.display) throw ToolError("no X display to open the editor on (is DISPLAY set?)");
    const int screen = DefaultScreen(s.display);
    s.window = XCreateSimpleWindow(s.display, RootWindow(s.display, screen), 0, 0, width, height, 0,
                                   BlackPixel(s.display, screen), BlackPixel(s.display, screen));
    XStoreName(s.display, s.window, title.c_str());
    s.deleteWindow = XInternAtom(s.display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(s.display, s.window, &s.deleteWindow, 1);
    XSelectInput(s.display, s.window, StructureNotifyMask);
    XSync(s.display, False);
}

void* HostWindow::parentForEditor() const
{
    return reinterpret_cast<void*>(static_cast<uintptr_t>(fSystem->window));
}

HostWindow::~HostWindow()
{
    System& s = *fSystem;
    XDestroyWindow(s.display, s.window);
    XCloseDisplay(s.display);
}

void HostWindow::resize(int width, int height)
{
    System& s = *fSystem;
    XResizeWindow(s.display, s.window, width, height);
    XSync(s.display, False);
}

void HostWindow::show()
{
    System& s = *fSystem;
    XMapRaised(s.display, s.window);
    XSync(s.display, False);
}

bool HostWindow::pumpEvents(int timeoutMs)
{
    System& s = *fSystem;
    XFlush(s.display);
    pollfd connection{ConnectionNumber(s.display), POLLIN, 0};
    if (!XPending(s.display)) poll(&connection, 1, timeoutMs);
    while (XPending(s.display))
    {
        XEvent event;
        XNextEvent(s.display, &event);
        if (event.type == ClientMessage &&
            static_cast<Atom>(event.xclient.data.l[0]) == s.deleteWindow)
            s.closed = true;
    }
    return s.closed;
}

RgbImage HostWindow::capture()
{
    System& s = *fSystem;
    XWindowAttributes attributes;
    XGetWindowAttributes(s.display, s.window, &attributes);
    XImage* image = XGetImage(s.display, s.window, 0, 0, attributes.width, attributes.height,
                              AllPlanes, ZPixmap);
    if (!image) throw ToolError("cannot read the window's contents");
    RgbImage rgb(image->width, image->height, {0, 0, 0});
    const Channel red(image->red_mask), green(image->green_mask), blue(image->blue_mask);
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
        {
            const unsigned long pixel = XGetPixel(image, x, y);
            rgb.set(x, y,
                    {static_cast<uint8_t>(red.eightBits(pixel)),
                     static_cast<uint8_t>(green.eightBits(pixel)),
                     static_cast<uint8_t>(blue.eightBits(pixel))});
        }
    XDestroyImage(image);
    return rgb;
}
