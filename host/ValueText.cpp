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

// Writes the digits of the integer part of m right to left, ending just before end.
char* writeDigits(char* end, double m, int count)
{
    for (int i = 0; i < count; ++i)
    {
        *--end = m > 0 ? static_cast<char>('0' + static_cast<int>(std::fmod(m, 10.0))) : '0';
        m /= 10.0;
    }
    return end;
}
} // namespace

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen)
{
    double v = value;
    const bool negative = v < 0;
    if (negative) v = -v;
    // Beyond seven integer digits (six with a sign) the digits would no longer
    // fit eight characters; such values, and NaN, are shown as too large.
    if (!(v < (negative ? 1e6 : 1e7))) return writeCapped(text, maxLen, "Huge!");

    char buffer[kWidth + 2] = {}; // sign, digits, point, fraction, terminator
    char* integerEnd = buffer + kWidth + 1;
    int used = negative ? 2 : 1; // the sign and the point
    double n = std::floor(v);
    char* first = integerEnd - 1;
    *first = '.';
    do
    {
        *--first = static_cast<char>('0' + static_cast<int>(std::fmod(n, 10.0)));
        ++used;
        n /= 10.0;
    } while (n >= 1 && used < kWidth);
    if (negative) *--first = '-';

    char result[2 * kWidth] = {};
    copyText(result, first, kWidth);
    if (used < kWidth)
    {
        const int fractionDigits = kWidth - used;
        char fraction[kWidth + 1] = {};
        writeDigits(fraction + fractionDigits, std::fmod(v, 1.0) * kPowersOfTen[fractionDigits],
                    fractionDigits);
        copyText(result + used, fraction, static_cast<size_t>(fractionDigits));
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
