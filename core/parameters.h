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
    // A continuous value whose range is a whole turn: beyond either end it comes round again.
    bool circular;
    // 0 for a continuous value; else the number of positions of a switch, whose names are
    // `choices` and whose user values run from `minimum` in steps of 1. A change of a
    // continuous value glides; a change of a switch's position crossfades.
    int positions;
    const char* const* choices;

    // Continuous values only (null for switches): the user value in double precision and its
    // inverse; the value the processing works with (radians, metres); the numbers the host's
    // text (in single precision) and the editor's read-out print.
    double (*toUser)(float normalised);
    float (*fromUser)(double user);
    double (*toProcessing)(double normalised);
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

// The text a host shows for a value (the VST 2.4 effect's display texts): a continuous
// value's number in eight characters, a switch's choice name. Writes at most maxLen
// characters and a terminator; false, writing nothing, for a value that selects no choice.
bool displayText(int index, float normalised, char* text, int maxLen);

// The normalised value of a text a user typed: a number with or without the unit's label
// ("45", "45 deg", "2.5m"), or a choice's name in any case ("3rd", "sn3d"). Numbers beyond the
// range are clamped, a circular one's brought round into it. False for anything else.
bool parseText(int index, const char* text, float& normalised);

// The processing uses this eight-decimal value, not the full-precision pi: the angles of
// the output (and the reference the tests compare it with) are defined with it.
constexpr double kPi = 3.14159265;

constexpr int kMaxOrder = 5;
constexpr int kNumOutputs = (kMaxOrder + 1) * (kMaxOrder + 1);
constexpr int kNumInputs = 2;

// What the processing works with: angles in radians (azimuth positive to the left, elevation
// positive up; of a width, the half-angle between its two sources), and metres.
inline double processingValue(int index, double x)
{
    return kParameters[index].toProcessing(x);
}

// The position a switch's stored value (within 0..1) selects, 0 to positions - 1.
inline int choiceOf(int index, float x)
{
    return static_cast<int>(switchPosition(kParameters[index], x));
}
inline int ambisonicOrder(float x)
{
    return static_cast<int>(kParameters[kOrder].minimum) + choiceOf(kOrder, x);
}

} // namespace sferant
