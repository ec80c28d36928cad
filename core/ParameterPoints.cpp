// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ParameterPoints.h"

#include <algorithm>
#include <cmath>

namespace sferant
{

bool ParameterPoints::add(int frame, int index, float value)
{
    if (full() || index < 0 || index >= kNumParams || std::isnan(value)) return false;
    const ParameterPoint point{std::max(frame, 0), index, std::clamp(value, 0.0f, 1.0f)};
    // Hosts send their points in order: the search from the end finds the place at once.
    ParameterPoint* at = points + count;
    while (at != points && at[-1].frame > point.frame)
    {
        *at = at[-1];
        --at;
    }
    *at = point;
    ++count;
    return true;
}

} // namespace sferant
