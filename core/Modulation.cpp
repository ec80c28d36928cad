// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Modulation.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace sferant
{

float modulatedValue(int index, float automated, double offset)
{
    // No offset leaves the value's bits as they are.
    if (offset == 0 || !std::isfinite(offset)) return automated;
    const Parameter& p = kParameters[index];
    double user = userValue(index, automated) + offset;
    if (p.circular)
    {
        const double turn = p.maximum - p.minimum;
        user -= turn * std::floor((user - p.minimum) / turn);
    }
    return normalisedValue(index, user);
}

void ModulatedValues::reset(const float (&values)[kNumParams])
{
    std::copy(std::begin(values), std::end(values), base);
    std::copy(std::begin(values), std::end(values), effective);
    std::fill(std::begin(offsets), std::end(offsets), 0.0);
}

float ModulatedValues::setAutomated(int index, float normalised)
{
    base[index] = normalised;
    return effective[index] = modulatedValue(index, normalised, offsets[index]);
}

float ModulatedValues::setOffset(int index, double offset)
{
    offsets[index] = offset;
    return effective[index] = modulatedValue(index, base[index], offset);
}

} // namespace sferant
