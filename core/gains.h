// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/channels.h"
#include "core/parameters.h"

#include <array>

// Spherical-harmonic encoding gains of one source direction.

namespace sferant
{

using GainVector = std::array<double, kNumOutputs>;

enum OutputMode
{
    k3D = 0,
    k2D = 1
};

// Everything the gains depend on besides the azimuth.
struct GainSettings
{
    int order;         // 1 to 5
    int normalisation; // Normalisation choice
    int outputMode;    // OutputMode; any other value gives silence
    double elevation;  // radians, positive up
};

// The part of the gains that does not depend on the azimuth, per gain entry:
// the weight times the Legendre value in 3D, the weight alone in 2D, 0 where
// unused. Made once for each new elevation, order, normalisation or output
// mode, it turns each new azimuth into gains with a few products.
struct GainTerms
{
    void set(const GainSettings& settings);
    // The same with the sine and cosine of the settings' elevation at hand.
    void set(const GainSettings& settings, double elevationSine, double elevationCosine);

    int outputMode;
    double scale[kNumOutputs];
};

// The azimuth's multiples as the gains take them: 1 at 0, cos(m azimuth) at
// m and sin(m azimuth) at 5 + m for m = 1 to 5. Made by angle addition from
// the azimuth's cosine and sine: a few ulps from the direct values, at a
// fraction of the cost of ten trigonometric calls.
using AzimuthTerms = std::array<double, 2 * kMaxOrder + 1>;

AzimuthTerms azimuthTerms(double cosine, double sine);

// Gain entries in component order: order n fills n^2 .. (n+1)^2 - 1 in 3D
// (m = 0, then cos and sin of m = 1..n), 2n - 1 and 2n in 2D; unused entries
// are 0.
GainVector encodingGains(const GainSettings& settings, double azimuth);

// Associated Legendre value P_n^m(sin elevation), 0 <= m <= n <= 5, without
// the Condon-Shortley phase.
double legendreValue(double elevation, int n, int m);

// The gain entry that output channel c carries (see componentOfOutput); silent outputs take
// an entry that horizontal-only output leaves at 0.
constexpr int gainEntryOfOutput(ChannelOrder order, int outputMode, int c)
{
    const bool horizontal = outputMode != k3D;
    const Component k = componentOfOutput(order, horizontal, c);
    if (k.silent()) return kNumOutputs - 1;
    const int mm = k.m < 0 ? -k.m : k.m;
    if (horizontal) return k.n == 0 ? 0 : k.m > 0 ? 2 * k.n - 1 : 2 * k.n;
    return k.m == 0 ? k.n * k.n : k.m > 0 ? k.n * k.n + 2 * mm - 1 : k.n * k.n + 2 * mm;
}

// The Ambisonic order of gain entry k.
constexpr int orderOfGainEntry(int outputMode, int k)
{
    if (outputMode == k2D) return (k + 1) / 2;
    int n = 0;
    while ((n + 1) * (n + 1) <= k)
        ++n;
    return n;
}

// Which of the AzimuthTerms gain entry k takes; entries with m = 0 and unused
// ones take the 1.
constexpr int azimuthTermOfEntry(int outputMode, int k)
{
    const int n = orderOfGainEntry(outputMode, k);
    if (outputMode == k2D) return k == 0 || n > kMaxOrder ? 0 : k % 2 == 1 ? n : kMaxOrder + n;
    const int fromM0 = k - n * n; // 2m - 1 for the cosine, 2m for the sine of m
    return fromM0 == 0 ? 0 : fromM0 % 2 == 1 ? (fromM0 + 1) / 2 : kMaxOrder + fromM0 / 2;
}

} // namespace sferant
