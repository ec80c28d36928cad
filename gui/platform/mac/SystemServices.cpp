// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/SystemServices.h"

#include "gui/platform/mac/MacSystem.h"

#include <cerrno>
#include <ctime>
#include <mach/mach_time.h>

uint32_t systemTicks()
{
    static const mach_timebase_info_data_t timebase = []
    {
        mach_timebase_info_data_t info{};
        mach_timebase_info(&info);
        return info;
    }();
    const uint64_t nanoseconds = mach_absolute_time() * timebase.numer / timebase.denom;
    return uint32_t(nanoseconds / 1000000u);
}

void systemSleep(uint32_t milliseconds)
{
    timespec duration{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
    while (nanosleep(&duration, &duration) != 0 && errno == EINTR)
    {
    }
}

// As the user set it in the system's preferences.
uint32_t systemDoubleClickTime()
{
    const double seconds = send<double>(objc_getClass("NSEvent"), "doubleClickInterval");
    return seconds > 0 ? uint32_t(seconds * 1000) : 400;
}

// Sizes count in points here: the window layer draws at the screen's density itself.
double systemScale()
{
    return 1;
}
