// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/parameters.h"

#include <algorithm>
#include <cstring>

namespace sferant
{

namespace
{

// The numbers the texts print. The texts have always rounded differently: the host's
// azimuth text in double precision and the azimuth's read-out in single; both elevation
// texts in double precision, then rounded to single; both width texts in single; both
// distance texts form x · 10 in single precision and add the 0.1 in double. Their digits
// must not move, so each text names the precision it has always shown.
constexpr double azimuthDegrees(float x)
{
    return (0.5 - x) * 360;
}
constexpr double azimuthDegreesInSingle(float x)
{
    return (0.5f - x) * 360.0f;
}
constexpr double elevationDegrees(float x)
{
    return float((x - 0.5) * 180);
}
constexpr double widthDegrees(float x)
{
    return x * 180.0f;
}
constexpr double metres(double x)
{
    return x * 10 + 0.1;
}
constexpr double distanceText(float x)
{
    return double(x * 10.0f) + 0.1;
}

const char* const kOnOff[] = {"Off", "On"};
const char* const kOrders[] = {"1st", "2nd", "3rd", "4th", "5th"};
const char* const kWeights[] = {"SN2D", "N2D", "SN3D", "N3D", "Fu-Ma"};
const char* const kInputs[] = {"Mono", "Stereo"};
const char* const kOutputs[] = {"3D", "2D"};

constexpr Parameter continuous(const char* symbol, const char* name, const char* label, Unit unit,
                               float defaultValue, double minimum, double maximum,
                               double (*toUser)(float), float (*fromUser)(double),
                               double (*toProcessing)(double), double (*hostNumber)(float),
                               double (*readoutNumber)(float), bool circular = false)
{
    return {symbol, name,    label,  unit,     defaultValue, minimum,    maximum,      circular,
            0,      nullptr, toUser, fromUser, toProcessing, hostNumber, readoutNumber};
}

template <int N>
constexpr Parameter choice(const char* symbol, const char* name, const char* label, double minimum,
                           const char* const (&choices)[N])
{
    return {symbol, name,    label,   Unit::kNone, 0.0f,    minimum, minimum + N - 1, false,
            N,      choices, nullptr, nullptr,     nullptr, nullptr, nullptr};
}

} // namespace

// Constant-initialised: other objects' initialisers may read it.
constexpr Parameter kParameters[kNumParams] = {
    continuous(
        "azimuth", "Azimuth", "deg", Unit::kDegrees, 0.5f, -180, 180, azimuthDegrees,
        [](double deg) { return float(0.5 - deg / 360); },
        [](double x) { return (0.5 - x) * 2 * kPi; }, azimuthDegrees, azimuthDegreesInSingle, true),
    continuous(
        "elevation", "Elev", "deg", Unit::kDegrees, 0.5f, -90, 90,
        [](float x) { return (x - 0.5) * 180; }, [](double deg) { return float(deg / 180 + 0.5); },
        [](double x) { return (x - 0.5) * kPi; }, elevationDegrees, elevationDegrees),
    choice("nfc", "NFC", "", 0, kOnOff),
    continuous(
        "distance", "Distance", "m", Unit::kMetres, 1.0f, 0.1, 10.1,
        [](float x) { return metres(x); }, [](double m) { return float((m - 0.1) / 10); }, metres,
        distanceText, distanceText),
    // The processing takes the half-angle: the two sources stand at the azimuth plus and minus
    // it.
    continuous(
        "width", "Width", "deg", Unit::kDegrees, 0.0f, 0, 180, [](float x) { return x * 180.0; },
        [](double deg) { return float(deg / 180); }, [](double x) { return x * kPi * 0.5; },
        widthDegrees, widthDegrees),
    choice("order", "Order", "order", 1, kOrders),
    choice("weight", "Weight", "weight", 0, kWeights),
    choice("input", "Input", "", 0, kInputs),
    choice("output", "Output", "", 0, kOutputs),
};

double userValue(int index, float x)
{
    const Parameter& p = kParameters[index];
    if (!p.positions) return p.toUser(x);
    return p.minimum + std::clamp(switchPosition(p, x), 0.0f, float(p.positions - 1));
}

float normalisedValue(int index, double user)
{
    const Parameter& p = kParameters[index];
    const double clamped = std::clamp(user, p.minimum, p.maximum);
    if (!p.positions) return std::clamp(p.fromUser(clamped), 0.0f, 1.0f);
    return float(std::round(clamped - p.minimum)) / float(p.positions - 1);
}

const char* choiceText(const Parameter& p, float x)
{
    const float position = switchPosition(p, x);
    return position >= 0 && position < p.positions ? p.choices[int(position)] : nullptr;
}

int findParameter(const char* symbolOrName)
{
    for (int i = 0; i < kNumParams; ++i)
        if (!std::strcmp(kParameters[i].symbol, symbolOrName) ||
            !std::strcmp(kParameters[i].name, symbolOrName))
            return i;
    return -1;
}

} // namespace sferant
