// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The key record the host passes with effEditKeyDown and effEditKeyUp, and its codes: the
// toolkit's only use of the host's record types.
#include "host/aeffect.h"

// Virtual key numbers of VstKeyCode::virt; the character is 0 for these keys.
enum VstVirtualKey
{
    kVirtKeyBack = 1,
    kVirtKeyTab,
    kVirtKeyClear,
    kVirtKeyReturn,
    kVirtKeyPause,
    kVirtKeyEscape,
    kVirtKeySpace,
    kVirtKeyNext,
    kVirtKeyEnd,
    kVirtKeyHome,
    kVirtKeyLeft,
    kVirtKeyUp,
    kVirtKeyRight,
    kVirtKeyDown,
    kVirtKeyPageUp,
    kVirtKeyPageDown,
    kVirtKeySelect,
    kVirtKeyPrint,
    kVirtKeyEnter,
    kVirtKeySnapshot,
    kVirtKeyInsert,
    kVirtKeyDelete,
    kVirtKeyHelp,
    kVirtKeyNumpad0,
    kVirtKeyNumpad9 = kVirtKeyNumpad0 + 9,
    kVirtKeyMultiply,
    kVirtKeyAdd,
    kVirtKeySeparator,
    kVirtKeySubtract,
    kVirtKeyDecimal,
    kVirtKeyDivide,
    kVirtKeyF1,
    kVirtKeyF12 = kVirtKeyF1 + 11,
    kVirtKeyNumLock,
    kVirtKeyScroll,
    kVirtKeyShift,
    kVirtKeyControl,
    kVirtKeyAlt,
    kVirtKeyEquals,
};

// Modifier bits of VstKeyCode::modifier.
enum VstModifierKey
{
    kModifierShift = 1,
    kModifierAlternate = 2,
    kModifierControl = 4,
    kModifierCommand = 8,
};
