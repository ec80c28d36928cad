#include "tools/host_window.h"

#include <cairo.h>
#include <cstdio>
#include <poll.h>
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

HostWindow::HostWindow(int width, int height, const std::string& title)
{
    XSetErrorHandler(reportXError);
    fDisplay = XOpenDisplay(nullptr);
    if (!fDisplay) throw ToolError("no X display to open the editor on (is DISPLAY set?)");
    const int screen = DefaultScreen(fDisplay);
    fWindow = XCreateSimpleWindow(fDisplay, RootWindow(fDisplay, screen), 0, 0, width, height, 0,
                                  BlackPixel(fDisplay, screen), BlackPixel(fDisplay, screen));
    XStoreName(fDisplay, fWindow, title.c_str());
    fDeleteWindow = XInternAtom(fDisplay, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(fDisplay, fWindow, &fDeleteWindow, 1);
    XSelectInput(fDisplay, fWindow, StructureNotifyMask);
    XSync(fDisplay, False);
}

HostWindow::~HostWindow()
{
    XDestroyWindow(fDisplay, fWindow);
    XCloseDisplay(fDisplay);
}

void HostWindow::resize(int width, int height)
{
    XResizeWindow(fDisplay, fWindow, width, height);
    XSync(fDisplay, False);
}

void HostWindow::show()
{
    XMapRaised(fDisplay, fWindow);
    XSync(fDisplay, False);
}

bool HostWindow::pumpEvents(int timeoutMs)
{
    XFlush(fDisplay);
    pollfd connection{ConnectionNumber(fDisplay), POLLIN, 0};
    if (!XPending(fDisplay)) poll(&connection, 1, timeoutMs);
    while (XPending(fDisplay))
    {
        XEvent event;
        XNextEvent(fDisplay, &event);
        if (event.type == ClientMessage &&
            static_cast<Atom>(event.xclient.data.l[0]) == fDeleteWindow)
            fClosed = true;
    }
    return fClosed;
}

void HostWindow::savePng(const std::string& path)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(fDisplay, fWindow, &attributes);
    XImage* image =
        XGetImage(fDisplay, fWindow, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) throw ToolError("cannot read the window's contents for " + path);
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, image->width, image->height);
    const Channel red(image->red_mask), green(image->green_mask), blue(image->blue_mask);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image->height; ++y)
    {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < image->width; ++x)
        {
            const unsigned long pixel = XGetPixel(image, x, y);
            row[x] =
                red.eightBits(pixel) << 16 | green.eightBits(pixel) << 8 | blue.eightBits(pixel);
        }
    }
    cairo_surface_mark_dirty(surface);
    XDestroyImage(image);
    const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw ToolError("cannot write " + path + ": " + cairo_status_to_string(status));
}
