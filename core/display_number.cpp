// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/display_number.h"

#include <cmath>
#include <cstring>

namespace sferant
{

namespace
{

// The decimal digit at place `place` (0 for the units) of a non-negative number's integer
// part, found as the format always found it: by dividing by ten place times, then the
// remainder of ten.
char digitAt(double number, int place)
{
    for (int i = 0; i < place; ++i)
        number /= 10.0;
    return static_cast<char>('0' + static_cast<int>(std::fmod(number, 10.0)));
}

// How many digits the integer part of v (>= 0) takes, at most `room`: the divisions by ten
// stop once the rest falls below 1.
int integerDigits(double v, int room)
{
    int digits = 1;
    for (double n = std::floor(v) / 10.0; n >= 1 && digits < room; n /= 10.0)
        ++digits;
    return digits;
}

} // namespace

void writeDisplayNumber(float value, char* text)
{
    const bool negative = value < 0;
    const double v = std::fabs(static_cast<double>(value));
    if (!(v < (negative ? 1e6 : 1e7)))
    {
        std::strcpy(text, "Huge!");
        return;
    }
    // The sign and the point take a place each; the integer digits follow the sign.
    const int signPlaces = negative ? 1 : 0;
    const int digits = integerDigits(v, kDisplayNumberLength - 1 - signPlaces);
    const int used = signPlaces + digits + 1;
    char* out = text;
    if (negative) *out++ = '-';
    for (int place = digits - 1; place >= 0; --place)
        *out++ = digitAt(std::floor(v), place);
    *out++ = '.';
    const double fraction = std::fmod(v, 1.0) * std::pow(10.0, kDisplayNumberLength - used);
    for (int place = kDisplayNumberLength - used - 1; place >= 0; --place)
        *out++ = digitAt(fraction, place);
    *out = '\0';
}

} // namespace sferant
