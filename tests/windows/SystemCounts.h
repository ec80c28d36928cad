// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

// What a process holds of the system, for telling whether something was left behind.
struct SystemCounts
{
    long gdiObjects;
    long windows; // the thread's top-level windows and all their descendants
    long handles; // kernel handles

    bool operator==(const SystemCounts& other) const
    {
        return gdiObjects == other.gdiObjects && windows == other.windows &&
               handles == other.handles;
    }
};

SystemCounts countSystemObjects();
// The windows below `window`: its children, theirs and so on.
long descendantWindows(HWND window);
