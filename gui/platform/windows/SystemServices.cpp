// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/SystemServices.h"

#include <windows.h>

#include <cstdlib>

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

// A user's SFERANT_SCALE; otherwise 1 until the editor's window shows the DPI of the host's.
double systemScale()
{
    if (const char* forced = std::getenv("SFERANT_SCALE"))
        if (const double scale = std::atof(forced); scale > 0) return scale;
    return 1;
}
