// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/sound_field.h"

std::vector<Component> channelComponents(ChannelOrder order, int count, int ambisonicOrder,
                                         bool horizontal)
{
    std::vector<Component> channels;
    for (int c = 0; c < count; ++c)
    {
        const Component k = sferant::componentOfOutput(order, horizontal, c);
        channels.push_back(k.n > ambisonicOrder ? sferant::kSilentChannel : k);
    }
    return channels;
}
