#pragma once

#include "encoder/nearfield.h"
#include "encoder/parameters.h"

// What one block derives from the parameter values and the sample rate. It is
// kept while neither changes: recomputing it would give the same bits.

namespace sferant
{

struct BlockPlan
{
    // Builds the plan for these values; parameters are normalised and in 0..1.
    static BlockPlan make(const float (&parameters)[kNumParams], float sampleRate);

    bool madeFrom(const float (&parameters)[kNumParams], float sampleRate) const;

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

    NearFieldDesign filters;

  private:
    float sourceParameters[kNumParams];
    float sourceSampleRate;
};

} // namespace sferant
