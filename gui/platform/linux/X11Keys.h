// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/VirtualKeys.h"

#include <X11/Xlib.h>

// The key record a frame receives for an X key event: special keys as virtual
// keys with character 0, other keys as their character; modifier bits shift 1,
// alt 2, control 4, super 8.
VstKeyCode keyCodeFromEvent(XKeyEvent& event);

// The button-state bits (kLeftButton ... kAltKey) of an X pointer or modifier state.
long buttonsFromState(unsigned int state);
