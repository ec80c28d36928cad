// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/mac/MacSystem.h"
#include "gui/VirtualKeys.h"

// The key of an NSEvent as the frame takes it: a virtual key for keys without a character.
VstKeyCode keyCodeFromEvent(id event);
