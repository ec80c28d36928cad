// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/gains.h"
#include "core/nearfield.h"
#include "core/parameters.h"

// What one block derives from the parameter values and the sample rate. It is
// kept from block to block, and new values redo only the parts that depend on
// them: a moving source costs a new gain vector, not a new plan.

namespace sferant
{

struct BlockPlan
{
    explicit BlockPlan(ChannelOrder channelOrder) : channelOrder(channelOrder) {}

    // Brings the plan to these values; parameters are normalised and in 0..1.
    void update(const float (&parameters)[kNumParams], double sampleRate);

    const ChannelOrder channelOrder;
    int order;      // 1 to 5
    int outputMode; // OutputMode
    bool stereo;
    bool nearField;
    double distance; // metres

    // Per output channel: the row of SourceSignals it reads (its order with
    // near-field filtering, else 0: the input itself) and the two sources'
    // gains, each already halved (the two halves add up to full gain).
    int signalRow[kNumOutputs];
    double halfGainL[kNumOutputs];
    double halfGainR[kNumOutputs];

    // The channels with a non-zero gain, and the silent ones.
    int soundingChannels[kNumOutputs];
    int numSounding;
    int silentChannels[kNumOutputs];
    int numSilent;

    // Designed for the current distance while near-field filtering is on.
    NearFieldDesign filters;

  private:
    void updateGains();
    void updateChannelLists(const bool (&silent)[kNumOutputs]);
    void updateSignalRows();
    void updateFilters(double sampleRate);

    bool made = false;
    float madeFrom[kNumParams];
    double madeForRate;

    GainTerms terms;
    // Cosine and sine of the centre azimuth and of half the width.
    double centreCos, centreSin, halfWidthCos, halfWidthSin;
    bool isSilent[kNumOutputs];

    bool designed = false;
    double designedRate, designedDistance;
};

} // namespace sferant
