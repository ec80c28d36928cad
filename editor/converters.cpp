// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/converters.h"

#include "core/parameters.h"

#include <cstdio>
#include <cstring>

using namespace sferant;

namespace
{

constexpr size_t kTextSize = 256;

// One decimal of the number the parameter's read-out shows; a quantity that rounds to zero
// from below reads "0.0", not "-0.0".
void print(int index, float value, char* text)
{
    std::snprintf(text, kTextSize, "%.1f", kParameters[index].readoutNumber(value));
    if (std::strcmp(text, "-0.0") == 0) std::strcpy(text, "0.0");
}

} // namespace

void degreeStringConvert(float value, char* text)
{
    print(kAzimuth, value, text);
}

void elevationDegreeStringConvert(float value, char* text)
{
    print(kElevation, value, text);
}

void distanceStringConvert(float value, char* text)
{
    print(kDistance, value, text);
}

void widthDegreeStringConvert(float value, char* text)
{
    print(kWidth, value, text);
}
