// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Angle.h"
#include "core/gains.h"
#include "core/nearfield.h"
#include "core/parameters.h"

// What one block derives from the parameter values and the sample rate. It is
// kept from block to block, and new values redo only the parts that depend on
// them: a moving source costs a new gain vector, not a new plan.

namespace sferant
{

// Both virtual sources' gains per output channel, each already halved (the two
// halves add up to full gain).
struct SourceGains
{
    double left[kNumOutputs];
    double right[kNumOutputs];
};

// The gains of a direction, per output channel in this order, from the terms that do not
// depend on the azimuth, the centre azimuth and half the width.
void sourceGainsAt(ChannelOrder channelOrder, const GainTerms& terms, const Angle& azimuth,
                   const Angle& halfWidth, SourceGains& gains);

struct BlockPlan
{
    explicit BlockPlan(ChannelOrder channelOrder) : channelOrder(channelOrder) {}

    // Brings the plan to these values; parameters are normalised and in 0..1.
    void update(const float (&parameters)[kNumParams], double sampleRate);
    // The values the plan was last brought to; null before the first update.
    const float* values() const { return made ? madeFrom : nullptr; }

    // The filters for a source at this distance, at the plan's sample rate (while
    // near-field filtering is on); without a usable rate, the plan's own.
    void designFiltersAt(double distanceMetres, NearFieldDesign& design) const;

    ChannelOrder channelOrder;
    int order;         // 1 to 5
    int normalisation; // Normalisation choice
    int outputMode;    // OutputMode
    bool stereo;
    bool nearField;
    double distance; // metres
    Angle azimuth, elevation, halfWidth;

    // Per output channel: the row of SourceSignals it reads (its order with
    // near-field filtering, else, and above the order, 0: the input itself) and the two
    // sources' gains.
    int signalRow[kNumOutputs];
    SourceGains halfGains;

    // The channels with a non-zero gain, and the silent ones.
    int soundingChannels[kNumOutputs];
    int numSounding;
    int silentChannels[kNumOutputs];
    int numSilent;

    // Designed for the current distance while near-field filtering is on.
    NearFieldDesign filters;

    // What the gains take besides the azimuth: of the elevation, order, weight and output.
    GainTerms terms;

  private:
    void updateGains();
    void updateChannelLists(const bool (&silent)[kNumOutputs]);
    void updateSignalRows();
    void updateFilters(double sampleRate);

    bool made = false;
    float madeFrom[kNumParams];
    double madeForRate;

    bool isSilent[kNumOutputs];

    bool designed = false;
    bool usableRate;
    double designedRate, designedDistance;
};

} // namespace sferant
