// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's child window on Windows: a window of the frame's size at 0,0 in the host's
// window, whose messages the host's own message loop delivers to the frame.
#include "gui/platform/PlatformWindow.h"

#include "gui/CButtonState.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"
#include "gui/CHostLink.h"
#include "gui/platform/windows/GdiDrawing.h"
#include "gui/platform/windows/Win32Module.h"
#include "gui/platform/windows/Win32Scale.h"

#include <windowsx.h>

#include <cstdio>

#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

namespace
{

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window class, registered under a name unique to the module while any frame window
// of the module exists: two copies of the plug-in in one host keep their own classes.
class WindowClass
{
  public:
    static const char* acquire()
    {
        if (users == 0 && !registerClass()) return nullptr;
        ++users;
        return name;
    }

    static void release()
    {
        if (users > 0 && --users == 0) UnregisterClassA(name, thisModule());
    }

  private:
    static bool registerClass()
    {
        std::snprintf(name, sizeof name, "Plugin%p", static_cast<void*>(thisModule()));
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_GLOBALCLASS;
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = thisModule();
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = name;
        return RegisterClassExA(&windowClass) != 0;
    }

    static inline int users = 0;
    static inline char name[32] = {};
};

// System cursors by CCursorType; null keeps the cursor that was current before.
LPCSTR systemCursor(int type)
{
    switch (type)
    {
    case 1:
        return IDC_WAIT;
    case 2:
        return IDC_SIZEWE;
    case 3:
        return IDC_SIZENS;
    case 4:
        return IDC_SIZEALL;
    case 5:
        return IDC_SIZENESW;
    case 6:
        return IDC_SIZENWSE;
    case 8:
        return IDC_NO;
    case 9:
        return IDC_HAND;
    default:
        return nullptr;
    }
}

bool isDown(int virtualKey)
{
    return GetAsyncKeyState(virtualKey) < 0;
}

// The button-state bits of a mouse message (the pressed button included).
long buttonsFromMessage(WPARAM wParam)
{
    long buttons = 0;
    if (wParam & MK_LBUTTON) buttons |= kLeftButton;
    if (wParam & MK_MBUTTON) buttons |= kMiddleButton;
    if (wParam & MK_RBUTTON) buttons |= kRightButton;
    if (wParam & MK_SHIFT) buttons |= kShiftKey;
    if (wParam & MK_CONTROL) buttons |= kControlKey;
    if (GetKeyState(VK_MENU) < 0) buttons |= kAltKey;
    return buttons;
}

class Win32Window : public PlatformWindow
{
  public:
    explicit Win32Window(CFrame& frame) : frame(frame) {}
    ~Win32Window() override;

    bool create(HWND parent, long width, long height);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    uintptr_t getWindowId() const override { return reinterpret_cast<uintptr_t>(window); }
    void present(const PlatformImage& image, const CRect& rect) override;
    // The host's message loop delivers every message to the window procedure.
    void dispatchEvents() override {}
    void dispatchRepaint() override;
    bool resize(long width, long height) override;
    bool move(long x, long y) override;
    bool getGeometry(CRect& rect) const override;
    void setCursor(int type) override;
    CPoint getPointer() const override;
    long getButtons() const override;

  private:
    void paint();
    void click(WPARAM wParam, LPARAM lParam);
    void wheel(WPARAM wParam, LPARAM lParam);
    void followParentScale();

    CFrame& frame;
    HWND window = nullptr;
    const char* className = nullptr;
    HDC paintDC = nullptr; // while a WM_PAINT is handled
    HCURSOR previousCursor = nullptr;
    bool cursorSaved = false;
};

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* owner = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return owner ? owner->handle(message, wParam, lParam)
                 : DefWindowProcA(window, message, wParam, lParam);
}

Win32Window::~Win32Window()
{
    if (window)
    {
        // Our object is going: the window procedure must not reach it any more.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    if (className) WindowClass::release();
}

bool Win32Window::create(HWND parent, long width, long height)
{
    className = WindowClass::acquire();
    if (!className) return false;
    window = CreateWindowExA(0, className, "Window",
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                             int(width), int(height), parent, nullptr, thisModule(), nullptr);
    if (!window) return false;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND self = window;
    switch (message)
    {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers everything: no flicker of the class background
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        click(wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        wheel(wParam, lParam);
        break;
    case WM_DPICHANGED_AFTERPARENT:
        followParentScale();
        return 0;
    case WM_DESTROY:
        // The host destroyed our window with its own.
        frame.setOpenFlag(false);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcA(self, message, wParam, lParam);
}

void Win32Window::paint()
{
    PAINTSTRUCT paintStruct;
    paintDC = BeginPaint(window, &paintStruct);
    const RECT& r = paintStruct.rcPaint;
    if (paintDC && r.right > r.left && r.bottom > r.top)
        frame.drawRect(nullptr, frame.toUnits(CRect(r.left, r.top, r.right, r.bottom)));
    EndPaint(window, &paintStruct);
    paintDC = nullptr;
}

void Win32Window::click(WPARAM wParam, LPARAM lParam)
{
    // The window's pixels are the frame's units times its scale.
    CPoint where = frame.toUnits(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    CDrawContext* context = frame.createDrawContext();
    frame.mouse(context, where, buttonsFromMessage(wParam));
    context->forget();
}

// The message carries the pointer in screen coordinates and the distance in 120ths of a notch.
void Win32Window::wheel(WPARAM wParam, LPARAM lParam)
{
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window, &point);
    const float distance = GET_WHEEL_DELTA_WPARAM(wParam) / float(WHEEL_DELTA);
    CDrawContext* context = frame.createDrawContext();
    frame.onWheel(context, frame.toUnits(CPoint(point.x, point.y)), distance);
    context->forget();
}

// The host's window moved to a screen of another DPI (or the user's setting changed): the
// frame is redrawn at the new scale and the host asked for the new size in its pixels.
void Win32Window::followParentScale()
{
    if (!window || !frame.setScale(windowScale(GetParent(window)))) return;
    CRect units;
    const CRect pixels = frame.toPixels(frame.getViewSize(units));
    if (CHostLink* editor = frame.getEditor())
        editor->sizeWindow(pixels.getWidth(), pixels.getHeight());
    InvalidateRect(window, nullptr, FALSE);
}

void Win32Window::present(const PlatformImage& image, const CRect& rect)
{
    if (!window) return;
    const CRect area = CRect(rect).bound(CRect(0, 0, image.width(), image.height()));
    if (area.isEmpty()) return;
    HDC dc = paintDC ? paintDC : GetDC(window);
    if (!dc) return;
    BitBlt(dc, area.left, area.top, area.getWidth(), area.getHeight(),
           static_cast<const GdiImage&>(image).getDC(), area.left, area.top, SRCCOPY);
    if (!paintDC) ReleaseDC(window, dc);
}

void Win32Window::dispatchRepaint()
{
    MSG message;
    if (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
}

bool Win32Window::resize(long width, long height)
{
    return window && width > 0 && height > 0 &&
           SetWindowPos(window, nullptr, 0, 0, int(width), int(height),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Window::move(long x, long y)
{
    return window && SetWindowPos(window, nullptr, int(x), int(y), 0, 0,
                                  SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Window::getGeometry(CRect& rect) const
{
    RECT r;
    if (!window || !GetWindowRect(window, &r)) return false;
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    rect = CRect(r.left, r.top, r.right, r.bottom);
    return true;
}

// 0, 7 (copy) and unknown types bring back the cursor that was current at the first call.
void Win32Window::setCursor(int type)
{
    if (!cursorSaved)
    {
        previousCursor = GetCursor();
        cursorSaved = true;
    }
    const LPCSTR shape = systemCursor(type);
    HCURSOR cursor = shape ? LoadCursor(nullptr, shape) : previousCursor;
    SetCursor(cursor ? cursor : LoadCursor(nullptr, IDC_ARROW));
}

CPoint Win32Window::getPointer() const
{
    POINT point{0, 0};
    if (!window || !GetCursorPos(&point)) return CPoint();
    ScreenToClient(window, &point);
    return frame.toUnits(CPoint(point.x, point.y));
}

// The physical buttons, with the primary one on the right when the user swapped them.
long Win32Window::getButtons() const
{
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    long buttons = 0;
    if (isDown(swapped ? VK_RBUTTON : VK_LBUTTON)) buttons |= kLeftButton;
    if (isDown(VK_MBUTTON)) buttons |= kMiddleButton;
    if (isDown(swapped ? VK_LBUTTON : VK_RBUTTON)) buttons |= kRightButton;
    if (isDown(VK_SHIFT)) buttons |= kShiftKey;
    if (isDown(VK_CONTROL)) buttons |= kControlKey;
    if (isDown(VK_MENU)) buttons |= kAltKey;
    return buttons;
}

} // namespace

std::unique_ptr<PlatformWindow> createPlatformWindow(CFrame& frame, void* parent, long width,
                                                     long height)
{
    HWND parentWindow = static_cast<HWND>(parent);
    if (!parentWindow || !IsWindow(parentWindow) || width <= 0 || height <= 0) return nullptr;
    // A frame nobody gave a scale takes that of the host's window, and asks the host for
    // that size (the host sized its window from the editor's size at 1).
    const double before = frame.getScale();
    const bool rescaled = before == 1 && frame.setScale(windowScale(parentWindow));
    if (rescaled)
    {
        const CRect pixels = frame.toPixels(frame.toUnits(CRect(0, 0, width, height)));
        width = pixels.getWidth();
        height = pixels.getHeight();
    }
    auto window = std::make_unique<Win32Window>(frame);
    if (!window->create(parentWindow, width, height)) return nullptr;
    if (rescaled)
        if (CHostLink* editor = frame.getEditor()) editor->sizeWindow(width, height);
    return window;
}
