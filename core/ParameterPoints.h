// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/parameters.h"

// Parameter values at frames inside a block, as hosts with sample-accurate automation send
// them. A fixed number of points and no allocation: the list lives with the plug-in and is
// filled on the audio thread.

namespace sferant
{

struct ParameterPoint
{
    int frame;   // within the block, from 0
    int index;   // ParameterIndex
    float value; // normalised, within 0..1
};

class ParameterPoints
{
  public:
    static constexpr int kCapacity = 512;

    // Adds a point in order of frames (after the points of the same frame). A value outside
    // 0..1 is clamped; an unknown index, a NaN value or a full list adds nothing and answers
    // false. A frame below 0 counts as 0.
    bool add(int frame, int index, float value);
    void clear() { count = 0; }

    bool empty() const { return count == 0; }
    bool full() const { return count == kCapacity; }
    int size() const { return count; }
    const ParameterPoint* begin() const { return points; }
    const ParameterPoint* end() const { return points + count; }

  private:
    ParameterPoint points[kCapacity];
    int count = 0;
};

} // namespace sferant
