// SPDX-License-Identifier: GPL-3.0-or-later
// Thin functions over the parameter table's texts: the VST 2.4 display text with the unit's
// label after a number, and the table's reading of typed text.
#include "plugin/clap/texts.h"

#include "core/parameters.h"

#include <cmath>
#include <cstdio>

namespace sferant::clap
{

namespace
{

bool known(int index)
{
    return index >= 0 && index < kNumParams;
}

} // namespace

bool valueToText(int index, double value, char* text, std::size_t size)
{
    if (!known(index) || !text || !size || std::isnan(value)) return false;
    const Parameter& p = kParameters[index];
    char shown[32];
    if (!displayText(index, normalisedValue(index, value), shown, sizeof shown - 1)) return false;
    std::snprintf(text, size, p.positions || !*p.label ? "%s" : "%s %s", shown, p.label);
    return true;
}

bool textToValue(int index, const char* text, double& value)
{
    float normalised;
    if (!known(index) || !text || !parseText(index, text, normalised)) return false;
    value = userValue(index, normalised);
    return true;
}

} // namespace sferant::clap
