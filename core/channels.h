// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/parameters.h"

// Which spherical-harmonic component each output channel carries, in the two channel orders
// the plug-ins write: the Furse-Malham sequence and ACN.

namespace sferant
{

enum class ChannelOrder
{
    kFurseMalham,
    kAcn
};

// Component (n, m) of order n; m < 0 is the sine term sin(|m| azimuth), m > 0 the cosine.
struct Component
{
    int n, m;
    constexpr bool silent() const { return n < 0; }
};
constexpr Component kSilentChannel{-1, 0};

constexpr bool operator==(Component a, Component b)
{
    return a.n == b.n && a.m == b.m;
}

// ACN numbers component (n, m) n² + n + m.
constexpr int acnChannel(int n, int m)
{
    return n * n + n + m;
}

// What output c carries in full-sphere (3D) or horizontal-only (2D, any other mode) output.
// 3D: every output carries a component. In the Furse-Malham sequence order n fills outputs n²
// to (n + 1)² - 1, m = 0 first, then the cosine and sine of m = 1 ... n, except that outputs 1,
// 2, 3 carry X, Y, Z: (1, 1), (1, -1), (1, 0). 2D: only the circular components (|m| = n)
// sound: at 0, then 2n - 1 (cosine) and 2n (sine) in the Furse-Malham sequence, at their ACN
// numbers in ACN; the other outputs are silent.
constexpr Component componentOfOutput(ChannelOrder order, bool horizontal, int c)
{
    int n = 0;
    if (order == ChannelOrder::kAcn)
    {
        while ((n + 1) * (n + 1) <= c)
            ++n;
        const int m = c - n * n - n;
        return horizontal && (m < 0 ? -m : m) != n ? kSilentChannel : Component{n, m};
    }
    if (horizontal)
    {
        if (c == 0) return {0, 0};
        n = (c + 1) / 2;
        return n > kMaxOrder ? kSilentChannel : Component{n, c % 2 == 1 ? n : -n};
    }
    constexpr Component kFirstOrder[4] = {{0, 0}, {1, 1}, {1, -1}, {1, 0}};
    if (c < 4) return kFirstOrder[c];
    while ((n + 1) * (n + 1) <= c)
        ++n;
    const int fromM0 = c - n * n; // 2m - 1 for the cosine, 2m for the sine of m
    return {n, fromM0 == 0 ? 0 : fromM0 % 2 == 1 ? (fromM0 + 1) / 2 : -fromM0 / 2};
}

} // namespace sferant
