// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/FilterState.h"
#include "core/SourceSignals.h"
#include "core/nearfield.h"

namespace sferant
{

// Runs the near-field filters of orders 1 to `order` over samples first ..
// first + count - 1 of row 0 of both sides, writing order n's output to row n;
// the filters of higher orders keep their state.
void runNearFieldFilters(const NearFieldDesign& design, int order, FilterState& state,
                         SourceSignals& signals, int first, int count);

} // namespace sferant
