// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

// The nine automatable parameters: indices, defaults and the mappings from
// normalised values to the quantities the processing works with and the texts show.
// Each mapping is written here once; the effect's texts and the editor's read-outs
// use these too.

namespace sferant
{

enum ParameterIndex
{
    kAzimuth = 0,
    kElevation,
    kNFC,
    kDistance,
    kWidth,
    kOrder,
    kWeight,
    kInput,
    kOutput,
    kNumParams
};

// The processing uses this eight-decimal value, not the full-precision pi: the angles of
// the output (and the reference the tests compare it with) are defined with it.
constexpr double kPi = 3.14159265;

constexpr int kMaxOrder = 5;
constexpr int kNumOutputs = (kMaxOrder + 1) * (kMaxOrder + 1);
constexpr int kNumInputs = 2;

constexpr float kParameterDefaults[kNumParams] = {0.5f, 0.5f, 0.0f, 1.0f, 0.0f,
                                                  0.0f, 0.0f, 0.0f, 0.0f};

// Angles in radians (azimuth positive to the left, elevation positive up), the
// half-angle between the two sources of a width, and metres.
inline double azimuthRadians(double x)
{
    return (0.5 - x) * 2 * kPi;
}
inline double elevationRadians(double x)
{
    return (x - 0.5) * kPi;
}
inline double halfWidthRadians(double x)
{
    return x * kPi * 0.5;
}

// Degrees as the texts show them, worked out in the precision Real (named at every
// call). The texts have always rounded differently: the host's azimuth and elevation
// texts and the editor's elevation read-out in double precision, the editor's azimuth
// read-out and both width texts in single. Their digits must not move, so each caller
// names the precision it has always shown.
template <class Real> Real azimuthDegrees(double x)
{
    return (Real(0.5) - Real(x)) * Real(360);
}
template <class Real> Real elevationDegrees(double x)
{
    return (Real(x) - Real(0.5)) * Real(180);
}
template <class Real> Real widthDegrees(double x)
{
    return Real(x) * Real(180);
}

// The source distance x · 10 + 0.1 metres, with x · 10 formed in Real and the offset
// added in double precision. The processing works in double precision throughout; both
// texts form x · 10 in single precision, as they always have.
template <class Real> double distanceMetres(double x)
{
    return double(Real(x) * Real(10)) + 0.1;
}
inline double distanceMetres(double x)
{
    return distanceMetres<double>(x);
}

// Switches are read by flooring: a two-way switch is on only at exactly 1.0; the
// five-way choices (order, weight) take floor(4x). 4x is exact in single precision.
inline float twoWayPosition(float x)
{
    return std::floor(x);
}
inline float fiveWayPosition(float x)
{
    return std::floor(x * 4.0f);
}
// For stored values, which are always within 0..1.
inline int switchState(float x)
{
    return static_cast<int>(twoWayPosition(x));
}
inline int fiveWayChoice(float x)
{
    return static_cast<int>(fiveWayPosition(x));
}
inline int ambisonicOrder(float x)
{
    return fiveWayChoice(x) + 1;
}

} // namespace sferant
