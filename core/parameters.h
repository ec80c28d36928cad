// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

// The nine automatable parameters. Every format, the editor and the tools describe them from
// the one table below: names, units, ranges, defaults, the mapping between the normalised
// value (0 to 1, what hosts exchange) and the value a user reads, and the display texts.

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

enum class Unit
{
    kNone,
    kDegrees,
    kMetres
};

struct Parameter
{
    const char* symbol; // a name for machines: port symbols, command-line options
    const char* name;   // as hosts show it
    const char* label;  // the unit's short text, as hosts show it
    Unit unit;
    float defaultValue; // normalised

    // The range of the value a user reads: degrees, metres, an order, a choice's number.
    double minimum, maximum;
    // 0 for a continuous value; else the number of positions of a switch, whose names are
    // `choices` and whose user values run from `minimum` in steps of 1.
    int positions;
    const char* const* choices;

    // Continuous values only (null for switches): the user value in double precision and its
    // inverse; the numbers the host's text (in single precision) and the editor's read-out
    // print.
    double (*toUser)(float normalised);
    float (*fromUser)(double user);
    double (*hostNumber)(float normalised);
    double (*readoutNumber)(float normalised);
};

extern const Parameter kParameters[kNumParams];

// The value a user reads, and the normalised value of a user value (clamped to the range;
// a switch takes the nearest position).
double userValue(int index, float normalised);
float normalisedValue(int index, double user);

// The position a switch's value selects: floor(x (positions - 1)), so that only exactly 1.0
// selects the last one. Any float is accepted; the result may lie outside the positions.
inline float switchPosition(const Parameter& p, float x)
{
    return std::floor(x * static_cast<float>(p.positions - 1));
}

// The name of the position a switch's value selects; null when it selects none.
const char* choiceText(const Parameter& p, float x);

// The parameter with this symbol or name; -1 for none.
int findParameter(const char* symbolOrName);

// The processing uses this eight-decimal value, not the full-precision pi: the angles of
// the output (and the reference the tests compare it with) are defined with it.
constexpr double kPi = 3.14159265;

constexpr int kMaxOrder = 5;
constexpr int kNumOutputs = (kMaxOrder + 1) * (kMaxOrder + 1);
constexpr int kNumInputs = 2;

// What the processing works with: angles in radians (azimuth positive to the left, elevation
// positive up), the half-angle between the two sources of a width, and metres.
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

// The switches' states for stored values, which always lie within 0..1.
inline int switchState(float x)
{
    return static_cast<int>(switchPosition(kParameters[kNFC], x));
}
inline int fiveWayChoice(float x)
{
    return static_cast<int>(switchPosition(kParameters[kWeight], x));
}
inline int ambisonicOrder(float x)
{
    return fiveWayChoice(x) + 1;
}

} // namespace sferant
