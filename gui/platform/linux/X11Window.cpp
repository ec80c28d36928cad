// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's child window on X11: a private display connection used only on the
// host's user-interface thread, a child window of the frame's size at 0,0 in the
// host's window, and the translation of its events into frame calls.
#include "gui/platform/PlatformWindow.h"

#include "gui/CButtonState.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"
#include "gui/platform/PlatformDrawing.h"
#include "gui/platform/linux/X11ErrorTrap.h"
#include "gui/platform/linux/X11Keys.h"

#include <X11/Xlib.h>
#include <X11/cursorfont.h>
#include <bitset>
#include <cairo-xlib.h>
#include <cstdint>

namespace
{

constexpr long kEventMask =
    ExposureMask | ButtonPressMask | KeyPressMask | KeyReleaseMask | StructureNotifyMask;

// Cursor font shapes by CCursorType; 0 leaves the parent's cursor.
constexpr unsigned int kCursorShapes[] = {
    0,                      // default
    XC_watch,               // wait
    XC_sb_h_double_arrow,   // horizontal resize
    XC_sb_v_double_arrow,   // vertical resize
    XC_fleur,               // resize in all directions
    XC_bottom_left_corner,  // north-east to south-west
    XC_bottom_right_corner, // north-west to south-east
    0,                      // copy
    XC_X_cursor,            // not allowed
    XC_hand2,               // hand
};

long buttonBit(unsigned int button)
{
    switch (button)
    {
    case Button1:
        return kLeftButton;
    case Button2:
        return kMiddleButton;
    case Button3:
        return kRightButton;
    default:
        return 0;
    }
}

CRect exposedRect(const XExposeEvent& event)
{
    return CRect(event.x, event.y, event.x + event.width, event.y + event.height);
}

// 32-bit pixels 0xAARRGGBB, as the back buffer holds them.
bool isImageFormat(const Visual* visual, int depth)
{
    return (depth == 24 || depth == 32) && visual->c_class == TrueColor &&
           visual->red_mask == 0xff0000 && visual->green_mask == 0x00ff00 &&
           visual->blue_mask == 0x0000ff;
}

int nativeByteOrder()
{
    const uint32_t probe = 1;
    return *reinterpret_cast<const unsigned char*>(&probe) == 1 ? LSBFirst : MSBFirst;
}

class X11Window : public PlatformWindow
{
  public:
    X11Window(CFrame& frame, Display* display) : frame(frame), display(display)
    {
        X11ErrorTrap::registerDisplay(display);
    }
    ~X11Window() override;

    bool create(Window parent, long width, long height);

    uintptr_t getWindowId() const override { return window; }
    int getEventDescriptor() const override { return ConnectionNumber(display); }
    void present(const PlatformImage& image, const CRect& rect) override;
    void dispatchEvents() override;
    void dispatchRepaint() override;
    bool resize(long width, long height) override;
    bool move(long x, long y) override;
    bool getGeometry(CRect& rect) const override;
    void setCursor(int type) override;
    CPoint getPointer() const override;
    long getButtons() const override;

  private:
    bool usable() const
    {
        return window != 0 && !destroyed && !X11ErrorTrap::connectionLost(display);
    }
    void noticeLoss();
    void handle(XEvent& event);
    void putPixels(const PlatformImage& image, const CRect& area);
    void paintPixels(const PlatformImage& image, const CRect& area);
    void repaint(const CRect& rect);
    void click(const XButtonEvent& event);
    void wheel(const XButtonEvent& event);
    void key(XKeyEvent& event);
    void passToHost(XKeyEvent event);
    bool queryPointer(CPoint& where, unsigned int& mask) const;

    CFrame& frame;
    Display* display;
    Window parent = 0;
    Window window = 0;
    int depth = 0;
    GC gc = nullptr; // set when the window takes the back buffer's pixels as they are
    cairo_surface_t* surface = nullptr; // otherwise
    Cursor cursor = 0;
    bool destroyed = false;   // the host destroyed our window with its own
    bool dispatching = false; // an event handler is running (a control may be tracking the mouse)
    CRect pendingExpose;
    // Keys whose press the frame took: their release is the frame's too.
    std::bitset<256> keysTaken;
};

X11Window::~X11Window()
{
    {
        // Closing also answers every request, so errors arrive inside the trap.
        X11ErrorTrap trap(display, false);
        if (surface)
        {
            // Cairo keeps state per display connection; it goes with ours.
            cairo_device_t* device = cairo_device_reference(cairo_surface_get_device(surface));
            cairo_surface_finish(surface);
            cairo_surface_destroy(surface);
            cairo_device_finish(device);
            cairo_device_destroy(device);
        }
        if (gc) XFreeGC(display, gc);
        if (cursor) XFreeCursor(display, cursor);
        if (usable()) XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
    X11ErrorTrap::unregisterDisplay(display);
}

bool X11Window::create(Window parent, long width, long height)
{
    X11ErrorTrap trap(display);
    XWindowAttributes parentAttributes{};
    if (!XGetWindowAttributes(display, parent, &parentAttributes) || trap.failed()) return false;
    XSetWindowAttributes attributes{};
    attributes.event_mask = kEventMask;
    attributes.background_pixmap = None; // no clearing before a repaint: no flicker
    window =
        XCreateWindow(display, parent, 0, 0, unsigned(width), unsigned(height), 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWEventMask | CWBackPixmap, &attributes);
    XMapWindow(display, window);
    if (trap.failed())
    {
        window = 0;
        return false;
    }
    this->parent = parent;
    depth = parentAttributes.depth;
    if (isImageFormat(parentAttributes.visual, depth))
        gc = XCreateGC(display, window, 0, nullptr);
    else
        surface = cairo_xlib_surface_create(display, window, parentAttributes.visual, int(width),
                                            int(height));
    return true;
}

void X11Window::present(const PlatformImage& image, const CRect& rect)
{
    if (!usable()) return;
    X11ErrorTrap trap(display);
    const CRect area = CRect(rect).bound(CRect(0, 0, image.width(), image.height()));
    if (gc)
        putPixels(image, area);
    else
        paintPixels(image, area);
}

// The back buffer's pixels are the window's own format: one request, no conversion.
void X11Window::putPixels(const PlatformImage& image, const CRect& area)
{
    XImage pixels{};
    pixels.width = int(image.width());
    pixels.height = int(image.height());
    pixels.format = ZPixmap;
    pixels.data = reinterpret_cast<char*>(const_cast<uint32_t*>(image.pixels()));
    pixels.byte_order = nativeByteOrder();
    pixels.bitmap_unit = 32;
    pixels.bitmap_bit_order = pixels.byte_order;
    pixels.bitmap_pad = 32;
    pixels.depth = depth;
    pixels.bytes_per_line = int(image.stride() * 4);
    pixels.bits_per_pixel = 32;
    pixels.red_mask = 0xff0000;
    pixels.green_mask = 0x00ff00;
    pixels.blue_mask = 0x0000ff;
    XInitImage(&pixels);
    XPutImage(display, window, gc, &pixels, area.left, area.top, area.left, area.top,
              unsigned(area.getWidth()), unsigned(area.getHeight()));
}

// Any other visual: cairo converts.
void X11Window::paintPixels(const PlatformImage& image, const CRect& area)
{
    if (!surface) return;
    auto* pixels = reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(image.pixels()));
    cairo_surface_t* source =
        cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_ARGB32, int(image.width()),
                                            int(image.height()), int(image.stride() * 4));
    cairo_t* cr = cairo_create(surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_rectangle(cr, area.left, area.top, area.getWidth(), area.getHeight());
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(source);
    cairo_surface_flush(surface);
}

void X11Window::dispatchEvents()
{
    if (!usable()) return;
    if (dispatching)
    {
        dispatchRepaint();
        return;
    }
    {
        // Every request of ours is answered inside a trap, so only the loss of the
        // connection can show up here.
        X11ErrorTrap trap(display, false);
        const bool pending = XPending(display) > 0;
        noticeLoss();
        if (!pending) return;
    }
    dispatching = true;
    X11ErrorTrap trap(display);
    while (usable() && XPending(display))
    {
        XEvent event;
        XNextEvent(display, &event);
        handle(event);
    }
    noticeLoss();
    dispatching = false;
}

// A connection that broke is a window that is gone.
void X11Window::noticeLoss()
{
    if (X11ErrorTrap::connectionLost(display)) frame.setOpenFlag(false);
}

void X11Window::dispatchRepaint()
{
    if (!usable()) return;
    X11ErrorTrap trap(display);
    XEvent event;
    CRect exposed;
    while (XCheckTypedWindowEvent(display, window, Expose, &event))
        exposed.unite(exposedRect(event.xexpose));
    if (!exposed.isEmpty()) repaint(exposed);
}

void X11Window::handle(XEvent& event)
{
    if (event.xany.window != window) return;
    switch (event.type)
    {
    case Expose:
        pendingExpose.unite(exposedRect(event.xexpose));
        if (event.xexpose.count == 0)
        {
            repaint(pendingExpose);
            pendingExpose = CRect();
        }
        break;
    case ButtonPress:
        if (event.xbutton.button >= 4 && event.xbutton.button <= 7)
            wheel(event.xbutton);
        else
            click(event.xbutton);
        break;
    case KeyPress:
    case KeyRelease:
        key(event.xkey);
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == window)
        {
            destroyed = true;
            frame.setOpenFlag(false);
        }
        break;
    default:
        break;
    }
}

// The window's pixels are the frame's units times its scale.
void X11Window::repaint(const CRect& rect)
{
    frame.drawRect(nullptr, frame.toUnits(rect));
}

void X11Window::click(const XButtonEvent& event)
{
    // The event carries the state before the press; the pressed button is added.
    const long buttons = buttonsFromState(event.state) | buttonBit(event.button);
    CPoint where = frame.toUnits(CPoint(event.x, event.y));
    CDrawContext* context = frame.createDrawContext();
    frame.mouse(context, where, buttons);
    context->forget();
}

void X11Window::wheel(const XButtonEvent& event)
{
    // Buttons 4 and 5 scroll up and down, 6 and 7 left and right; up and right count positive.
    const CMouseWheelAxis axis = event.button <= 5 ? kVerticalWheel : kHorizontalWheel;
    const float distance = (event.button == 4 || event.button == 7) ? 1.0f : -1.0f;
    const CPoint where = frame.toUnits(CPoint(event.x, event.y));
    CDrawContext* context = frame.createDrawContext();
    frame.onWheel(context, where, axis, distance);
    context->forget();
}

// Our window takes key events only so that a focused control can have them: a key the
// frame does not take (-1) goes on to the host's window, as if the editor were not there.
void X11Window::key(XKeyEvent& event)
{
    VstKeyCode code = keyCodeFromEvent(event);
    const unsigned keycode = event.keycode & 0xff; // X key codes run from 8 to 255
    bool taken;
    if (event.type == KeyPress)
    {
        taken = frame.onKeyDown(code) != -1;
        keysTaken[keycode] = taken;
    }
    else
    {
        taken = frame.onKeyUp(code) != -1 || keysTaken[keycode];
        keysTaken[keycode] = false;
    }
    if (!taken) passToHost(event);
}

// As the server would have reported it had our window not selected keys: on the parent,
// or on the nearest ancestor that listens for them.
void X11Window::passToHost(XKeyEvent event)
{
    if (!usable()) return;
    X11ErrorTrap trap(display);
    event.window = parent;
    event.subwindow = window;
    const long mask = event.type == KeyPress ? KeyPressMask : KeyReleaseMask;
    XSendEvent(display, parent, True, mask, reinterpret_cast<XEvent*>(&event));
}

bool X11Window::resize(long width, long height)
{
    if (!usable() || width <= 0 || height <= 0) return false;
    X11ErrorTrap trap(display);
    XResizeWindow(display, window, unsigned(width), unsigned(height));
    if (surface) cairo_xlib_surface_set_size(surface, int(width), int(height));
    return !trap.failed();
}

bool X11Window::move(long x, long y)
{
    if (!usable()) return false;
    X11ErrorTrap trap(display);
    XMoveWindow(display, window, int(x), int(y));
    return !trap.failed();
}

bool X11Window::getGeometry(CRect& rect) const
{
    if (!usable()) return false;
    X11ErrorTrap trap(display);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || trap.failed()) return false;
    rect = CRect(attributes.x, attributes.y, attributes.x + attributes.width,
                 attributes.y + attributes.height);
    return true;
}

void X11Window::setCursor(int type)
{
    if (!usable()) return;
    X11ErrorTrap trap(display);
    const bool known = type >= 0 && type < int(sizeof kCursorShapes / sizeof kCursorShapes[0]);
    const unsigned int shape = known ? kCursorShapes[type] : 0;
    const Cursor next = shape ? XCreateFontCursor(display, shape) : 0;
    if (next)
        XDefineCursor(display, window, next);
    else
        XUndefineCursor(display, window);
    if (cursor) XFreeCursor(display, cursor);
    cursor = next;
}

bool X11Window::queryPointer(CPoint& where, unsigned int& mask) const
{
    if (!usable()) return false;
    X11ErrorTrap trap(display);
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    if (!XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask)) return false;
    where = CPoint(x, y);
    return !trap.failed();
}

CPoint X11Window::getPointer() const
{
    CPoint where;
    unsigned int mask = 0;
    queryPointer(where, mask);
    return frame.toUnits(where);
}

long X11Window::getButtons() const
{
    CPoint where;
    unsigned int mask = 0;
    return queryPointer(where, mask) ? buttonsFromState(mask) : 0;
}

} // namespace

std::unique_ptr<PlatformWindow> createPlatformWindow(CFrame& frame, void* parent, long width,
                                                     long height)
{
    const auto parentId = Window(reinterpret_cast<uintptr_t>(parent));
    if (!parentId || width <= 0 || height <= 0) return nullptr;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    auto window = std::make_unique<X11Window>(frame, display);
    if (!window->create(parentId, width, height)) return nullptr;
    return window;
}
