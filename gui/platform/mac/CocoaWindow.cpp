// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/mac/CocoaWindow.h"

#include "gui/CButtonState.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"
#include "gui/platform/mac/CocoaKeys.h"
#include "gui/platform/mac/CocoaView.h"
#include "gui/platform/mac/QuartzDrawing.h"

#include <cmath>
#include <cstdio>

namespace
{
constexpr double kIdleSeconds = 1.0 / 30;
// NSEvent's modifier flags and pressed-button bits.
constexpr unsigned long kShiftFlag = 1ul << 17, kControlFlag = 1ul << 18, kOptionFlag = 1ul << 19,
                        kCommandFlag = 1ul << 20;

CGRect frameRect(long x, long y, long width, long height)
{
    return CGRect{{CGFloat(x), CGFloat(y)}, {CGFloat(width), CGFloat(height)}};
}

// The command key plays the part of control elsewhere, control that of the Mac control key.
long modifierBits(unsigned long flags)
{
    return (flags & kShiftFlag ? kShiftKey : 0) | (flags & kCommandFlag ? kControlKey : 0) |
           (flags & kOptionFlag ? kAltKey : 0) | (flags & kControlFlag ? kMacControlKey : 0);
}

long buttonBits(unsigned long pressed)
{
    return (pressed & 1 ? kLeftButton : 0) | (pressed & 2 ? kRightButton : 0) |
           (pressed & 4 ? kMiddleButton : 0);
}

CPoint inView(id view, id event)
{
    const CGPoint location = send<CGPoint>(event, "locationInWindow");
    const CGPoint local =
        send<CGPoint, CGPoint, id>(view, "convertPoint:fromView:", location, nullptr);
    return CPoint(long(std::floor(local.x)), long(std::floor(local.y)));
}
} // namespace

CocoaWindow::CocoaWindow(CFrame& frame, id parent, long width, long height)
    : frame(frame), geometry(0, 0, width, height)
{
    view = createFrameView(this, CGFloat(width), CGFloat(height));
    if (!view)
    {
        // The class or the view could not be made: the editor runs without a window.
        std::fprintf(stderr, "Could not create Control : %d\n", -1);
        return;
    }
    send<void, id>(parent, "addSubview:", view);
    CFRunLoopTimerContext context{0, this, nullptr, nullptr, nullptr};
    timer = CFRunLoopTimerCreate(nullptr, CFAbsoluteTimeGetCurrent() + kIdleSeconds, kIdleSeconds,
                                 0, 0, &CocoaWindow::tick, &context);
    if (timer) CFRunLoopAddTimer(CFRunLoopGetMain(), timer, kCFRunLoopCommonModes);
    backingChanged();
}

// The timer and the view go with the window: no callback reaches a closed editor.
CocoaWindow::~CocoaWindow()
{
    if (timer)
    {
        CFRunLoopTimerInvalidate(timer);
        CFRelease(timer);
    }
    if (view) detachFrameView(view);
}

void CocoaWindow::tick(CFRunLoopTimerRef, void* self)
{
    static_cast<CocoaWindow*>(self)->frame.idle();
}

void CocoaWindow::present(const PlatformImage& image, const CRect& rect)
{
    backBuffer = &image;
    send<void, CGRect>(view, "setNeedsDisplayInRect:",
                       frameRect(rect.left, rect.top, rect.getWidth(), rect.getHeight()));
}

// The frame paints at the window's backing scale (2 on a Retina screen) from then on, whole.
void CocoaWindow::backingChanged()
{
    id window = send<id>(view, "window");
    const double scale = window ? double(send<CGFloat>(window, "backingScaleFactor")) : 1;
    if (!(scale >= 1) || scale == backingScale) return;
    backingScale = scale;
    backBuffer = nullptr;
    frame.surfaceChanged();
}

void CocoaWindow::dispatchRepaint()
{
    send<void>(view, "displayIfNeeded");
}

// The back buffer, once the frame has painted it, else a first paint of the whole frame.
void CocoaWindow::draw(const CGRect& dirty)
{
    if (!backBuffer)
        frame.drawRect(nullptr, CRect(0, 0, geometry.getWidth(), geometry.getHeight()));
    id graphics = send<id>(objc_getClass("NSGraphicsContext"), "currentContext");
    auto* context = graphics ? send<CGContextRef>(graphics, "CGContext") : nullptr;
    auto canvas = PlatformCanvas::onSurface(context);
    if (!canvas || !backBuffer) return;
    const CRect area(long(std::floor(dirty.origin.x)), long(std::floor(dirty.origin.y)),
                     long(std::ceil(dirty.origin.x + dirty.size.width)),
                     long(std::ceil(dirty.origin.y + dirty.size.height)));
    canvas->drawImage(*backBuffer, area, CPoint(area.left, area.top), 255);
}

void CocoaWindow::mouseDown(id event)
{
    const auto pressed = 1ul << send<long>(event, "buttonNumber");
    CPoint where = inView(view, event);
    CDrawContext* context = frame.createDrawContext();
    frame.mouse(context, where,
                buttonBits(pressed) | modifierBits(send<unsigned long>(event, "modifierFlags")));
    context->forget();
}

// Up and right count positive, one step a line of the wheel.
void CocoaWindow::scrollWheel(id event)
{
    const CGFloat dy = send<CGFloat>(event, "deltaY"), dx = send<CGFloat>(event, "deltaX");
    const bool vertical = std::fabs(dy) >= std::fabs(dx);
    const CPoint where = inView(view, event);
    CDrawContext* context = frame.createDrawContext();
    frame.onWheel(context, where, vertical ? kVerticalWheel : kHorizontalWheel,
                  float(vertical ? dy : -dx));
    context->forget();
}

bool CocoaWindow::key(id event, bool down)
{
    VstKeyCode code = keyCodeFromEvent(event);
    const unsigned index = send<unsigned short>(event, "keyCode") & 127;
    if (down)
    {
        keysTaken[index] = frame.onKeyDown(code) != -1;
        return keysTaken[index];
    }
    const bool taken = frame.onKeyUp(code) != -1 || keysTaken[index];
    keysTaken[index] = false;
    return taken;
}

bool CocoaWindow::resize(long width, long height)
{
    if (width <= 0 || height <= 0) return false;
    geometry = CRect(geometry.left, geometry.top, geometry.left + width, geometry.top + height);
    send<void, CGSize>(view, "setFrameSize:", CGSize{CGFloat(width), CGFloat(height)});
    return true;
}

bool CocoaWindow::move(long x, long y)
{
    geometry.offset(x - geometry.left, y - geometry.top);
    send<void, CGPoint>(view, "setFrameOrigin:", CGPoint{CGFloat(x), CGFloat(y)});
    return true;
}

bool CocoaWindow::getGeometry(CRect& rect) const
{
    rect = geometry;
    return true;
}

CPoint CocoaWindow::getPointer() const
{
    id window = send<id>(view, "window");
    if (!window) return CPoint();
    const CGPoint location = send<CGPoint>(window, "mouseLocationOutsideOfEventStream");
    const CGPoint local =
        send<CGPoint, CGPoint, id>(view, "convertPoint:fromView:", location, nullptr);
    return CPoint(long(std::floor(local.x)), long(std::floor(local.y)));
}

long CocoaWindow::getButtons() const
{
    Class events = objc_getClass("NSEvent");
    return buttonBits(send<unsigned long>(events, "pressedMouseButtons")) |
           modifierBits(send<unsigned long>(events, "modifierFlags"));
}

// 64-bit hosts hand the editor their NSView.
std::unique_ptr<PlatformWindow> createPlatformWindow(CFrame& frame, void* parent, long width,
                                                     long height)
{
    if (!parent || width <= 0 || height <= 0) return nullptr;
    auto window = std::make_unique<CocoaWindow>(frame, static_cast<id>(parent), width, height);
    if (!window->usable()) return nullptr;
    return window;
}
