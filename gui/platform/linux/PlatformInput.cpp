// The default input (the frame's window) and the system clock, both replaceable by tests.
#include "gui/platform/PlatformInput.h"

#include "gui/CFrame.h"
#include "gui/platform/PlatformWindow.h"

#include <cerrno>
#include <ctime>

namespace
{

class WindowInput : public PlatformInput
{
  public:
    CPoint getMouseLocation(const CFrame* frame) override
    {
        PlatformWindow* window = frame ? frame->getPlatformWindow() : nullptr;
        return window ? window->getPointer() : CPoint();
    }

    long getMouseButtons(const CFrame* frame) override
    {
        PlatformWindow* window = frame ? frame->getPlatformWindow() : nullptr;
        return window ? window->getButtons() : 0;
    }
};

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

WindowInput windowInput;
PlatformInput* currentInput = &windowInput;
PlatformTickFunction currentTicks = systemTicks;
PlatformSleepFunction currentSleep = systemSleep;

} // namespace

PlatformInput& platformInput()
{
    return *currentInput;
}

void setPlatformInput(PlatformInput* input)
{
    currentInput = input ? input : &windowInput;
}

uint32_t platformTicks()
{
    return currentTicks();
}

void platformSleep(uint32_t milliseconds)
{
    currentSleep(milliseconds);
}

void setPlatformClock(PlatformTickFunction ticks, PlatformSleepFunction sleep)
{
    currentTicks = ticks ? ticks : systemTicks;
    currentSleep = sleep ? sleep : systemSleep;
}
