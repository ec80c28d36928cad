// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/BlockPlan.h"
#include "core/Glide.h"
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

// The same while the source moves: each step's gains go linearly from the
// ramps' point before it to the one at its end.
void mixGliding(const BlockPlan& plan, const GainRamps& ramps, const SourceSignals& signals,
                float* const* outputs, int offset, int count);
void mixGliding(const BlockPlan& plan, const GainRamps& ramps, const SourceSignals& signals,
                double* const* outputs, int offset, int count);

// The part of a crossfade in a chunk: its first `frames` frames, after `done` of the
// fade's `length`.
struct FadeSpan
{
    int frames, done, length;
};

// The first chunk of a span after a switch: the old settings' output fades out
// and the new settings' in over the fade's frames; the new one alone follows.
void mixCrossfade(const BlockPlan& from, const SourceSignals& fromSignals, const BlockPlan& to,
                  const SourceSignals& toSignals, float* const* outputs, int count,
                  const FadeSpan& fade);
void mixCrossfade(const BlockPlan& from, const SourceSignals& fromSignals, const BlockPlan& to,
                  const SourceSignals& toSignals, double* const* outputs, int count,
                  const FadeSpan& fade);

} // namespace sferant
