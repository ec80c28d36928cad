// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/parameters.h"

// Non-destructive modulation, as CLAP and VST3 hosts apply it: an offset in the units a user
// reads on top of a parameter's automated value. The sum is clamped to the range, except on a
// circular range (the azimuth), where it wraps round: 170 deg + 20 deg is -170 deg.

namespace sferant
{

// The normalised value of `automated` (normalised) moved by `offset` (user units).
float modulatedValue(int index, float automated, double offset);

// Each parameter's automated value and modulation offset, and the value the source takes.
class ModulatedValues
{
  public:
    // All values at `values`, no offsets.
    void reset(const float (&values)[kNumParams]);
    // Each answers the value the source now takes.
    float setAutomated(int index, float normalised);
    float setOffset(int index, double offset);

    float automated(int index) const { return base[index]; }
    const float (&values() const)[kNumParams] { return effective; }

  private:
    float base[kNumParams] = {};
    double offsets[kNumParams] = {};
    float effective[kNumParams] = {};
};

} // namespace sferant
