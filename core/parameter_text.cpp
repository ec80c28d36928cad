// SPDX-License-Identifier: GPL-3.0-or-later
// A parameter's value as text and back, for every format's host.
#include "core/display_number.h"
#include "core/parameters.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace sferant
{

namespace
{

void copyCapped(char* text, const char* source, int maxLen)
{
    const size_t length = std::min(std::strlen(source), static_cast<size_t>(std::max(maxLen, 0)));
    std::memcpy(text, source, length);
    text[length] = '\0';
}

bool sameIgnoringCase(const char* a, const char* b, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// text without blanks at either end is exactly word, in any case.
bool isWord(const char* text, const char* word)
{
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    size_t length = std::strlen(text);
    while (length && std::isspace(static_cast<unsigned char>(text[length - 1])))
        --length;
    return length == std::strlen(word) && sameIgnoringCase(text, word, length);
}

// A number, then nothing but blanks and the unit's label.
bool parseNumber(const Parameter& p, const char* text, double& number)
{
    char* end = nullptr;
    number = std::strtod(text, &end);
    if (end == text || !std::isfinite(number)) return false;
    return isWord(end, "") || (*p.label && isWord(end, p.label));
}

// A circular value beyond its range comes round into it, a whole turn at a time.
double withinRange(const Parameter& p, double user)
{
    if (!p.circular || (user >= p.minimum && user <= p.maximum)) return user;
    const double turn = p.maximum - p.minimum;
    return user - turn * std::floor((user - p.minimum) / turn);
}

} // namespace

bool displayText(int index, float x, char* text, int maxLen)
{
    const Parameter& p = kParameters[index];
    if (p.positions)
    {
        const char* choice = choiceText(p, x);
        if (choice) copyCapped(text, choice, maxLen);
        return choice != nullptr;
    }
    char number[kDisplayNumberLength + 1];
    writeDisplayNumber(static_cast<float>(p.hostNumber(x)), number);
    copyCapped(text, number, maxLen);
    return true;
}

bool parseText(int index, const char* text, float& normalised)
{
    const Parameter& p = kParameters[index];
    for (int i = 0; i < p.positions; ++i)
        if (isWord(text, p.choices[i]))
        {
            normalised = normalisedValue(index, p.minimum + i);
            return true;
        }
    double number;
    if (!parseNumber(p, text, number)) return false;
    normalised = normalisedValue(index, withinRange(p, number));
    return true;
}

} // namespace sferant
