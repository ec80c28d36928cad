// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/mac/MacSystem.h"

class CocoaWindow;

// The frame's NSView subclass, registered once per module under a name of its own (several
// Sferant bundles may share a host), flipped, forwarding its events to the CocoaWindow that
// owns it; a view whose owner is gone ignores them.
id createFrameView(CocoaWindow* owner, CGFloat width, CGFloat height);
void detachFrameView(id view);
