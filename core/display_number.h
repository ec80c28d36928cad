// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The number of a parameter's display text as VST 2.4 hosts have always shown it: exactly
// eight characters, the integer part in full, the remaining places filled with the fraction's
// digits, truncated and never rounded ("180.0000", "-90.0000", "0.100000"). Numbers whose
// integer part does not fit (and NaN) read "Huge!".

namespace sferant
{

constexpr int kDisplayNumberLength = 8;

// Writes the text and its terminator into text, which holds kDisplayNumberLength + 1 bytes.
void writeDisplayNumber(float value, char* text);

} // namespace sferant
