// SPDX-License-Identifier: GPL-3.0-or-later
// The value-to-text converters behind numeric parameter displays: a fixed
// eight-character format, digits truncated, never rounded.
#include <cmath>
#include <cstdint>

#include "host/AudioEffect.h"
#include "host/text.h"

namespace
{
constexpr int kWidth = 8; // characters of a full display text
constexpr double kPowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7};

void writeCapped(char* text, VstInt32 maxLen, const char* source)
{
    if (text && maxLen >= 0) copyText(text, source, static_cast<size_t>(maxLen));
}

// The last decimal digit of the integer part of n (n >= 0).
char lastDigit(double n)
{
    return static_cast<char>('0' + static_cast<int>(std::fmod(n, 10.0)));
}
} // namespace

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen)
{
    const bool negative = value < 0;
    const double v = std::fabs(static_cast<double>(value));
    // Beyond seven integer digits (six with a sign) the digits would no longer
    // fit eight characters; such values, and NaN, are shown as too large.
    if (!(v < (negative ? 1e6 : 1e7))) return writeCapped(text, maxLen, "Huge!");

    // The integer part right to left, ending in the point: "45." for 45.7.
    char integer[kWidth + 1] = {};
    char* first = integer + kWidth - 1;
    *first = '.';
    int used = negative ? 2 : 1; // the sign and the point
    double n = std::floor(v);
    do
    {
        *--first = lastDigit(n);
        ++used;
        n /= 10.0;
    } while (n >= 1 && used < kWidth);
    if (negative) *--first = '-';

    // The remaining places take the fraction, truncated.
    char result[kWidth + 1] = {};
    copyText(result, first, kWidth);
    double fraction = std::fmod(v, 1.0) * kPowersOfTen[kWidth - used];
    for (char* digit = result + kWidth - 1; digit >= result + used; --digit)
    {
        *digit = lastDigit(fraction);
        fraction /= 10.0;
    }
    writeCapped(text, maxLen, result);
}

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen)
{
    // Nine digit positions: anything wider, either side of zero, is too large.
    if (value >= 100000000 || value <= -1000000000) return writeCapped(text, maxLen, "Huge!");

    char result[12] = {};
    char* out = result;
    int64_t magnitude = value;
    if (magnitude < 0)
    {
        *out++ = '-';
        magnitude = -magnitude;
    }
    bool seenDigit = false;
    for (int64_t position = 100000000; position >= 1; position /= 10)
    {
        const int digit = static_cast<int>(magnitude / position % 10);
        seenDigit = seenDigit || digit != 0;
        if (seenDigit) *out++ = static_cast<char>('0' + digit);
    }
    if (!seenDigit) *out++ = '0';
    writeCapped(text, maxLen, result);
}

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen)
{
    if (value <= 0) return writeCapped(text, maxLen, "-oo");
    float2string(static_cast<float>(20.0 * std::log10(value)), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen)
{
    float2string(samples == 0 ? 0.f : sampleRate / samples, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen)
{
    float2string(static_cast<float>(samples * 1000.0 / sampleRate), text, maxLen);
}
