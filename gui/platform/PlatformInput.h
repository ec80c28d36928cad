// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CGeometry.h"

#include <cstdint>

class CFrame;

// Where contexts and frames read the pointer and the button state while a control
// tracks the mouse. The window system's by default; tests install a scripted one.
class PlatformInput
{
  public:
    virtual ~PlatformInput() = default;
    // The pointer relative to the frame's window.
    virtual CPoint getMouseLocation(const CFrame* frame) = 0;
    // The button-state bits (kLeftButton ... kMacControlKey).
    virtual long getMouseButtons(const CFrame* frame) = 0;
};

PlatformInput& platformInput();
// Installs input for every frame; null restores the window system's.
void setPlatformInput(PlatformInput* input);

// The millisecond clock and the short sleep behind getTicks, wait and doIdleStuff.
using PlatformTickFunction = uint32_t (*)();
using PlatformSleepFunction = void (*)(uint32_t milliseconds);

uint32_t platformTicks();
void platformSleep(uint32_t milliseconds);
// The longest pause between the clicks of a double click, as the system sets it.
uint32_t platformDoubleClickTime();
// Replaces the clock; null functions restore the system's.
void setPlatformClock(PlatformTickFunction ticks, PlatformSleepFunction sleep);
