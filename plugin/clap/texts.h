// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// A parameter's value in the units a user reads (degrees, metres, a choice's number) as text
// and back, for the host's displays and typed entries.

namespace sferant::clap
{

// The VST 2.4 display text, a number followed by its unit. False for an unknown index.
bool valueToText(int index, double value, char* text, std::size_t size);
// A number with or without the unit, or a choice's name (any case); the value clamped to
// the range, the azimuth's brought round into it. False for an unknown index or a text that
// is neither.
bool textToValue(int index, const char* text, double& value);

} // namespace sferant::clap
