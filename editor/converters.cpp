#include "editor/converters.h"

#include <cstdio>

namespace
{

constexpr size_t kTextSize = 256;

void print(double number, char* text)
{
    std::snprintf(text, kTextSize, "%.1f", number);
}

} // namespace

// Each read-out rounds as the value's own arithmetic does: single precision unless noted.

void degreeStringConvert(float value, char* text)
{
    print((0.5f - value) * 360.0f, text);
}

void elevationDegreeStringConvert(float value, char* text)
{
    print(float((value - 0.5) * 180.0), text); // worked out in double, shown as float
}

void distanceStringConvert(float value, char* text)
{
    print(double(value * 10.0f) + 0.1, text); // the offset is added in double
}

void widthDegreeStringConvert(float value, char* text)
{
    print(value * 180.0f, text);
}
