// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/sound_field.h"

#include <cmath>

namespace
{

int degreeOf(int acnStyleIndex)
{
    int n = 0;
    while ((n + 1) * (n + 1) <= acnStyleIndex)
        ++n;
    return n;
}

// Order n from n²: m = 0 first; X, Y, Z break that rule at first order.
Component furseMalhamSphere(int channel)
{
    static const Component kFirstOrder[] = {{0, 0}, {1, 1}, {1, -1}, {1, 0}};
    if (channel < 4) return kFirstOrder[channel];
    const int n = degreeOf(channel);
    const int fromM0 = channel - n * n; // 2m - 1 for the cosine, 2m for the sine of m
    if (fromM0 == 0) return {n, 0};
    return fromM0 % 2 == 1 ? Component{n, (fromM0 + 1) / 2} : Component{n, -fromM0 / 2};
}

Component furseMalhamCircle(int channel)
{
    const int n = (channel + 1) / 2;
    return {n, channel % 2 == 1 ? n : -n};
}

Component acn(int channel)
{
    const int n = degreeOf(channel);
    return {n, channel - n * n - n};
}

ChannelComponent componentAt(ChannelOrder order, int channel, int ambisonicOrder, bool horizontal)
{
    Component c{};
    if (order == ChannelOrder::Acn)
        c = acn(channel);
    else
        c = horizontal ? furseMalhamCircle(channel) : furseMalhamSphere(channel);
    if (c.n > ambisonicOrder || (horizontal && std::abs(c.m) != c.n)) return std::nullopt;
    return c;
}

} // namespace

std::vector<ChannelComponent> channelComponents(ChannelOrder order, int count, int ambisonicOrder,
                                                bool horizontal)
{
    std::vector<ChannelComponent> channels;
    for (int c = 0; c < count; ++c)
        channels.push_back(componentAt(order, c, ambisonicOrder, horizontal));
    return channels;
}
