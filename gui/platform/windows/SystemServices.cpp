// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/SystemServices.h"

#include <windows.h>

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

// The GDI drawing of this platform draws at density 1: the editor stays at the host's 1x.
double systemScale()
{
    return 1;
}
