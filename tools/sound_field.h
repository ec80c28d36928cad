// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "core/channels.h"

// What the channels of an Ambisonic file carry, so that a reader (the energy map) needs no
// knowledge of the module or the format that wrote it.

using sferant::ChannelOrder;
using sferant::Component;

struct SoundField
{
    std::vector<Component> channels; // sferant::kSilentChannel for a silent one
    int weight;      // the encoder's normalisation choice, 0 to 4: SN2D, N2D, SN3D, N3D, Fu-Ma
    bool horizontal; // 2D: component (n, ±n) is the weight W(n, n) times cos or sin(nφ) alone,
                     // with no Legendre factor; 3D: W(n, |m|) times P_n^|m|(sin θ) times the term
};

// The first `count` channels of a channel order at this Ambisonic order and mode; channels
// beyond the order, or without a circular component in 2D, are silent.
std::vector<Component> channelComponents(ChannelOrder order, int count, int ambisonicOrder,
                                                bool horizontal);
