// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/host_window.h"

#include <cstdint>
#include <windows.h>

#include "tools/tool_error.h"

namespace
{

const char* const kClassName = "SferantHostWindow";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW & ~(WS_THICKFRAME | WS_MAXIMIZEBOX);

// Closing the window only raises a flag: the editor is closed before the window goes.
LRESULT CALLBACK hostWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
    {
        SetWindowLongPtrA(window, GWLP_USERDATA, 1);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool registerClass()
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = hostWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The outer size of a window whose client area is width x height.
SIZE outerSize(int width, int height)
{
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, kStyle, FALSE, 0);
    return {r.right - r.left, r.bottom - r.top};
}

} // namespace

struct HostWindow::System
{
    HWND window = nullptr;
};

HostWindow::HostWindow(int width, int height, const std::string& title)
    : fSystem(std::make_unique<System>())
{
    if (!registerClass()) throw ToolError("cannot register the host's window class");
    const SIZE outer = outerSize(width, height);
    fSystem->window =
        CreateWindowExA(0, kClassName, title.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        outer.cx, outer.cy, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!fSystem->window) throw ToolError("cannot create a window for the editor");
}

HostWindow::~HostWindow()
{
    DestroyWindow(fSystem->window);
}

void* HostWindow::parentForEditor() const
{
    return fSystem->window;
}

void HostWindow::resize(int width, int height)
{
    const SIZE outer = outerSize(width, height);
    SetWindowPos(fSystem->window, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HostWindow::show()
{
    ShowWindow(fSystem->window, SW_SHOW);
    UpdateWindow(fSystem->window);
}

bool HostWindow::pumpEvents(int timeoutMs)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(timeoutMs), QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return GetWindowLongPtrA(fSystem->window, GWLP_USERDATA) != 0;
}

// The client area, read back from the window's device context.
RgbImage HostWindow::capture()
{
    HWND window = fSystem->window;
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right, height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC windowDC = GetDC(window);
    HDC memoryDC = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    RgbImage rgb(bitmap ? width : 0, bitmap ? height : 0, {0, 0, 0});
    if (bitmap)
    {
        HGDIOBJ previous = SelectObject(memoryDC, bitmap);
        BitBlt(memoryDC, 0, 0, width, height, windowDC, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                const uint32_t p = pixels[size_t(y) * width + x];
                rgb.set(x, y, {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
            }
        SelectObject(memoryDC, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memoryDC);
    ReleaseDC(window, windowDC);
    if (!bitmap) throw ToolError("cannot read the window's contents");
    return rgb;
}
