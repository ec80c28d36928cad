// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The button and modifier bits of the `long buttons` that every mouse call carries.
enum
{
    kLeftButton = 1,
    kMiddleButton = 2,
    kRightButton = 4,
    kShiftKey = 8,
    kControlKey = 16,
    kAltKey = 32,
    kMacControlKey = 64
};

// Passed as the button state, asks for the state to be read from the platform.
inline constexpr long kReadButtonsFromPlatform = -1;
