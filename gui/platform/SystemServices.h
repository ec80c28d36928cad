// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// What each window system provides behind PlatformInput: its clock, a short sleep and its
// double-click time.
uint32_t systemTicks();
void systemSleep(uint32_t milliseconds);
uint32_t systemDoubleClickTime();
// The desktop's scale of this system for an editor whose host gives none (1 = 96 dpi).
double systemScale();
