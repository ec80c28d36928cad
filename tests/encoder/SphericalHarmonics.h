// SPDX-License-Identifier: GPL-3.0-or-later
// Spherical harmonics from their closed forms, for checking the encoder's
// recurrences: associated Legendre functions without the Condon-Shortley
// phase, and the semi-normalised and fully normalised weights.
#pragma once

#include <cmath>

namespace sferant_test
{

constexpr double kPi8 = 3.14159265; // the encoder's value of pi

// P_n^m at x = sin(elevation), c = cos(elevation), for 0 <= m <= n <= 5.
inline double legendreClosedForm(int n, int m, double x, double c)
{
    const double x2 = x * x, x3 = x2 * x, x4 = x2 * x2, x5 = x4 * x;
    const double table[6][6] = {
        {1},
        {x, c},
        {(3 * x2 - 1) / 2, 3 * x * c, 3 * c * c},
        {(5 * x3 - 3 * x) / 2, 1.5 * (5 * x2 - 1) * c, 15 * x * c * c, 15 * c * c * c},
        {(35 * x4 - 30 * x2 + 3) / 8, 2.5 * (7 * x3 - 3 * x) * c, 7.5 * (7 * x2 - 1) * c * c,
         105 * x * c * c * c, 105 * c * c * c * c},
        {(63 * x5 - 70 * x3 + 15 * x) / 8, 15.0 / 8 * (21 * x4 - 14 * x2 + 1) * c,
         52.5 * (3 * x3 - x) * c * c, 52.5 * (9 * x2 - 1) * c * c * c, 945 * x * c * c * c * c,
         945 * c * c * c * c * c},
    };
    return table[n][m];
}

inline double semiNormalisedWeight(int n, int m)
{
    const double ratio = std::tgamma(n - m + 1) / std::tgamma(n + m + 1);
    return std::sqrt((m == 0 ? 1.0 : 2.0) * ratio);
}

// Weight of (n, m) under normalisation 0 SN2D, 1 N2D, 2 SN3D, 3 N3D.
inline double weightClosedForm(int normalisation, int n, int m)
{
    switch (normalisation)
    {
    case 0:
        return 1.0;
    case 1:
        return n == 0 ? 1.0 : std::sqrt(2.0);
    case 2:
        return semiNormalisedWeight(n, m);
    default:
        return std::sqrt(2.0 * n + 1) * semiNormalisedWeight(n, m);
    }
}

// Elevation and azimuth in radians.
inline double harmonic(int normalisation, int n, int m, bool sine, double elevation, double azimuth)
{
    const double trig = m == 0 ? 1.0 : sine ? std::sin(m * azimuth) : std::cos(m * azimuth);
    return weightClosedForm(normalisation, n, m) *
           legendreClosedForm(n, m, std::sin(elevation), std::cos(elevation)) * trig;
}

inline double elevationOf(float fElevation)
{
    return (fElevation - 0.5) * kPi8;
}

} // namespace sferant_test
