// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

// What the channels of an Ambisonic file carry, so that a reader (the energy map) needs no
// knowledge of the module or the format that wrote it.

// Spherical-harmonic component (n, m), |m| <= n: the cosine term cos(mφ) for m >= 0, the sine
// term sin(|m|φ) for m < 0. In horizontal-only output only the circular ones, |m| = n.
struct Component
{
    int n;
    int m;
    bool operator==(const Component& other) const { return n == other.n && m == other.m; }
};

// One file channel: the component it carries, or nothing for a silent channel.
using ChannelComponent = std::optional<Component>;

struct SoundField
{
    std::vector<ChannelComponent> channels;
    int weight;      // the encoder's normalisation choice, 0 to 4: SN2D, N2D, SN3D, N3D, Fu-Ma
    bool horizontal; // 2D: component (n, ±n) is the weight W(n, n) times cos or sin(nφ) alone,
                     // with no Legendre factor; 3D: W(n, |m|) times P_n^|m|(sin θ) times the term
};

// The channel sequences that encoders and files use.
enum class ChannelOrder
{
    FurseMalham, // W X Y Z, then order n from n²: m = 0, cos and sin of m = 1 … n; in 2D W,
                 // then cos and sin of each order n at 2n - 1 and 2n
    Acn,         // component (n, m) at n² + n + m; in 2D the circular ones there, the rest silent
};

// The first `count` channels of a sequence at this order and mode; channels beyond the order,
// or without a circular component in 2D, are silent.
std::vector<ChannelComponent> channelComponents(ChannelOrder order, int count, int ambisonicOrder,
                                                bool horizontal);
