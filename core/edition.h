// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/channels.h"

// The two plug-ins built from these sources: Sferant, whose outputs follow the Furse-Malham
// sequence, and Sferant AmbiX, whose outputs follow ACN with SN3D by default, as the tools of
// today's Ambisonic chains read them. Everything else is the same.

namespace sferant
{

struct Edition
{
    const char* name;  // the product's name
    const char* badge; // what the editor shows beside the title; null for none
    ChannelOrder channelOrder;
    int defaultWeight; // the normalisation choice a new instance starts with
};

extern const Edition kSferant;
extern const Edition kSferantAmbiX;

// The normalised value a new instance of this edition starts with.
float defaultValue(const Edition& edition, int index);

} // namespace sferant
