// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

namespace sferant
{

// An angle with its cosine and sine, which the gains take.
struct Angle
{
    double radians, cos, sin;

    static Angle of(double radians) { return {radians, std::cos(radians), std::sin(radians)}; }

    // The sum of two angles, by angle addition: no trigonometric call.
    Angle plus(const Angle& other) const
    {
        return {radians + other.radians, cos * other.cos - sin * other.sin,
                sin * other.cos + cos * other.sin};
    }
};

} // namespace sferant
