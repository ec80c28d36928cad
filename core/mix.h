// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/BlockPlan.h"
#include "core/SourceSignals.h"

// The innermost work of the audio path: every output channel as the sum of the
// two sources' signals, each times the channel's gain for that source.

namespace sferant
{

// Writes frames offset .. offset + count - 1 of all 36 outputs from one chunk
// of signals; a channel whose two gains are zero gets silence.
void mixChannels(const BlockPlan& plan, const SourceSignals& signals, float* const* outputs,
                 int offset, int count);
void mixChannels(const BlockPlan& plan, const SourceSignals& signals, double* const* outputs,
                 int offset, int count);

} // namespace sferant
