// SPDX-License-Identifier: GPL-3.0-or-later
// Thin functions over the parameter table: the numbers are those the VST 2.4 display shows,
// the choices the table's names.
#include "plugin/clap/texts.h"

#include "core/parameters.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sferant::clap
{

namespace
{

bool known(int index)
{
    return index >= 0 && index < kNumParams;
}

// The same letters in any case, `length` of them.
bool sameLetters(const char* a, const char* b, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The text without the spaces around it, as [first, first + length).
const char* trimmed(const char* text, std::size_t& length)
{
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    length = std::strlen(text);
    while (length && std::isspace(static_cast<unsigned char>(text[length - 1])))
        --length;
    return text;
}

// The text, spaces aside, is this name in any case.
bool names(const char* text, const char* name)
{
    std::size_t length;
    text = trimmed(text, length);
    return length == std::strlen(name) && sameLetters(text, name, length);
}

// What may follow a number: nothing, or the parameter's unit.
bool unitOrNothing(const Parameter& p, const char* rest)
{
    std::size_t length;
    trimmed(rest, length);
    return !length || (*p.label && names(rest, p.label));
}

} // namespace

bool valueToText(int index, double value, char* text, std::size_t size)
{
    if (!known(index) || !text || !size || std::isnan(value)) return false;
    const Parameter& p = kParameters[index];
    const float x = normalisedValue(index, value);
    if (p.positions)
        std::snprintf(text, size, "%s", choiceText(p, x));
    else
        std::snprintf(text, size, "%.2f %s", p.hostNumber(x), p.label);
    return true;
}

bool textToValue(int index, const char* text, double& value)
{
    if (!known(index) || !text) return false;
    const Parameter& p = kParameters[index];
    for (int i = 0; i < p.positions; ++i)
        if (names(text, p.choices[i]))
        {
            value = p.minimum + i;
            return true;
        }
    char* rest = nullptr;
    const double number = std::strtod(text, &rest);
    if (rest == text || !std::isfinite(number) || !unitOrNothing(p, rest)) return false;
    value = p.positions ? userValue(index, normalisedValue(index, number))
                        : std::clamp(number, p.minimum, p.maximum);
    return true;
}

} // namespace sferant::clap
