// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/SystemServices.h"

#include <cerrno>
#include <ctime>

uint32_t systemTicks()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint32_t(uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u);
}

void systemSleep(uint32_t milliseconds)
{
    timespec duration{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
    while (nanosleep(&duration, &duration) != 0 && errno == EINTR)
    {
    }
}

// X11 has no system-wide double-click time; this is the usual desktop default.
uint32_t systemDoubleClickTime()
{
    return 400;
}
