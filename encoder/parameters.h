#pragma once

#include <cmath>

// The nine automatable parameters: indices, defaults and the mappings from
// normalised values to the quantities the processing works with.

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

// The processing uses this eight-decimal value, not the full-precision pi.
constexpr double kPi = 3.14159265;

constexpr int kMaxOrder = 5;
constexpr int kNumOutputs = (kMaxOrder + 1) * (kMaxOrder + 1);
constexpr int kNumInputs = 2;

constexpr float kParameterDefaults[kNumParams] = {0.5f, 0.5f, 0.0f, 1.0f, 0.0f,
                                                  0.0f, 0.0f, 0.0f, 0.0f};

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
inline double distanceMetres(double x)
{
    return x * 10 + 0.1;
}

// Switches are read by flooring: a two-way switch is on only at exactly 1.0;
// the five-way choices take floor(4x), the product formed in single precision.
inline int switchState(float x)
{
    return static_cast<int>(std::floor(x));
}
inline int fiveWayChoice(float x)
{
    return static_cast<int>(std::floor(x * 4.0f));
}
inline int ambisonicOrder(float x)
{
    return fiveWayChoice(x) + 1;
}

} // namespace sferant
