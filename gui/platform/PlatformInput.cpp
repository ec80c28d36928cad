// SPDX-License-Identifier: GPL-3.0-or-later
// The default input (the frame's window) and the system clock, both replaceable by tests.
#include "gui/platform/PlatformInput.h"

#include "gui/CFrame.h"
#include "gui/platform/PlatformWindow.h"
#include "gui/platform/SystemServices.h"

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

uint32_t platformDoubleClickTime()
{
    return systemDoubleClickTime();
}

void setPlatformClock(PlatformTickFunction ticks, PlatformSleepFunction sleep)
{
    currentTicks = ticks ? ticks : systemTicks;
    currentSleep = sleep ? sleep : systemSleep;
}
