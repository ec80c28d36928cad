// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/edition.h"

#include "core/weights.h"

namespace sferant
{

const Edition kSferant{"Sferant", nullptr, ChannelOrder::kFurseMalham, kSN2D};
const Edition kSferantAmbiX{"Sferant AmbiX", "AmbiX", ChannelOrder::kAcn, kSN3D};

float defaultValue(const Edition& edition, int index)
{
    if (index == kWeight) return normalisedValue(kWeight, edition.defaultWeight);
    return kParameters[index].defaultValue;
}

} // namespace sferant
