// SPDX-License-Identifier: GPL-3.0-or-later
// How much of a tone's energy a processed signal spreads away from the tone: the measure of
// the artefacts a moving source may add (a buzz at the block rate, sidebands of steps).
#pragma once

#include <vector>

namespace sferant_test
{

// The energy of the channels outside tone ± halfBand Hz over the energy inside, in dB,
// measured on frames from .. from + length - 1 under a Kaiser window (sidelobes far below
// -130 dB, main lobe within 4.5 bins, so 10 Hz of a 1-second window holds it whole).
double outOfBandDecibels(const std::vector<std::vector<double>>& channels, int from, int length,
                         double sampleRate, double tone, double halfBand);

// Energy of a over energy of b, in dB.
double decibels(double a, double b);

} // namespace sferant_test
