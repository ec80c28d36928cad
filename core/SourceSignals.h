// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/parameters.h"

namespace sferant
{

// Blocks are worked through in chunks of this many frames, so that the
// signals below stay in the first-level cache while the outputs are written.
constexpr int kChunkFrames = 128;

// One chunk of the two virtual sources' signals: row 0 the input (after the
// distance gain), rows 1 to 5 the signal of each order.
struct SourceSignals
{
    alignas(64) double left[kMaxOrder + 1][kChunkFrames];
    alignas(64) double right[kMaxOrder + 1][kChunkFrames];
};

} // namespace sferant
