// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/SystemServices.h"
#include "gui/platform/windows/Win32Scale.h"

#include <cstdlib>

namespace
{

// SFERANT_SCALE, for users whose host or desktop scales differently; 0 when not set.
double userScale()
{
    if (const char* forced = std::getenv("SFERANT_SCALE"))
        if (const double scale = std::atof(forced); scale > 0) return scale;
    return 0;
}

using DpiForWindowFunction = UINT(WINAPI*)(HWND);

bool dpiLookedUp = false;
DpiForWindowFunction dpiForWindow = nullptr;

// Looked up at run time, so that the module still loads on systems without it. A plain flag
// rather than a function-local static, as for the system's blend function.
DpiForWindowFunction systemDpiForWindow()
{
    if (!dpiLookedUp)
    {
        dpiLookedUp = true;
        if (HMODULE user32 = GetModuleHandleA("user32.dll"))
            dpiForWindow = reinterpret_cast<DpiForWindowFunction>(
                reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
    }
    return dpiForWindow;
}

} // namespace

uint32_t systemTicks()
{
    return GetTickCount();
}

void systemSleep(uint32_t milliseconds)
{
    Sleep(milliseconds);
}

uint32_t systemDoubleClickTime()
{
    return GetDoubleClickTime();
}

// Without a window yet: the user's scale or 1; the editor's window then takes its host's DPI.
double systemScale()
{
    const double user = userScale();
    return user > 0 ? user : 1;
}

double windowScale(HWND window)
{
    if (const double user = userScale(); user > 0) return user;
    DpiForWindowFunction dpi = systemDpiForWindow();
    const UINT dotsPerInch = dpi && window ? dpi(window) : 0;
    return dotsPerInch > 0 ? dotsPerInch / 96.0 : 1;
}
