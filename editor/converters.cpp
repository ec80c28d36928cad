// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/converters.h"

#include "encoder/parameters.h"

#include <cstdio>
#include <cstring>

using namespace sferant;

namespace
{

constexpr size_t kTextSize = 256;

// One decimal; a quantity that rounds to zero from below reads "0.0", not "-0.0".
void print(double number, char* text)
{
    std::snprintf(text, kTextSize, "%.1f", number);
    if (std::strcmp(text, "-0.0") == 0) std::strcpy(text, "0.0");
}

} // namespace

// Each read-out keeps the precision it has always been worked out in (see parameters.h).

void degreeStringConvert(float value, char* text)
{
    print(azimuthDegrees<float>(value), text);
}

void elevationDegreeStringConvert(float value, char* text)
{
    print(float(elevationDegrees<double>(value)), text); // worked out in double, shown as float
}

void distanceStringConvert(float value, char* text)
{
    print(distanceMetres<float>(value), text);
}

void widthDegreeStringConvert(float value, char* text)
{
    print(widthDegrees<float>(value), text);
}
