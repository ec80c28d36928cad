// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

// The screen's pixels per editor unit for an editor inside `window`: a user's SFERANT_SCALE,
// else the window's DPI over 96. 1 where the system cannot tell a window's DPI (before
// Windows 10 1607) and for hosts that are not DPI-aware (the system gives their windows 96).
double windowScale(HWND window);
