// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/host_window.h"

#include <cstdint>
#include <png.h>
#include <vector>
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

// The client area as 24-bit RGB rows, read back from the window's device context.
std::vector<uint8_t> clientPixels(HWND window, int& width, int& height)
{
    RECT client;
    GetClientRect(window, &client);
    width = client.right;
    height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC windowDC = GetDC(window);
    HDC memoryDC = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint8_t> rgb;
    if (bitmap)
    {
        HGDIOBJ previous = SelectObject(memoryDC, bitmap);
        BitBlt(memoryDC, 0, 0, width, height, windowDC, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        rgb.reserve(size_t(width) * size_t(height) * 3);
        for (size_t i = 0; i < size_t(width) * size_t(height); ++i)
            rgb.insert(rgb.end(),
                       {uint8_t(pixels[i] >> 16), uint8_t(pixels[i] >> 8), uint8_t(pixels[i])});
        SelectObject(memoryDC, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memoryDC);
    ReleaseDC(window, windowDC);
    return rgb;
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

void HostWindow::savePng(const std::string& path)
{
    int width = 0, height = 0;
    const std::vector<uint8_t> rgb = clientPixels(fSystem->window, width, height);
    if (rgb.empty()) throw ToolError("cannot read the window's contents for " + path);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr))
        throw ToolError("cannot write " + path + ": " + image.message);
}
