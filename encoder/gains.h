#pragma once

#include "encoder/parameters.h"

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

// Associated Legendre value P_n^m(sin elevation), 0 <= m <= n <= 5, without
// the Condon-Shortley phase.
double legendreValue(double elevation, int n, int m);

// Gain entries in component order: order n fills n^2 .. (n+1)^2 - 1 in 3D
// (m = 0, then cos and sin of m = 1..n), 2n - 1 and 2n in 2D; unused entries
// are 0.
GainVector encodingGains(const GainSettings& settings, double azimuth);

// The gain entry that output channel c carries: in 3D outputs 1, 2, 3 follow
// the X, Y, Z letters and take entries 2, 3, 1.
int gainEntryOfOutput(int outputMode, int c);

// The Ambisonic order of gain entry k.
int orderOfGainEntry(int outputMode, int k);

} // namespace sferant
