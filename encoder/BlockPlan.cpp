#include "encoder/BlockPlan.h"

#include "encoder/gains.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sferant
{

namespace
{

constexpr double kFallbackSampleRate = 44100;

} // namespace

BlockPlan BlockPlan::make(const float (&p)[kNumParams], float sampleRate)
{
    BlockPlan plan;
    std::copy(p, p + kNumParams, plan.sourceParameters);
    plan.sourceSampleRate = sampleRate;

    const GainSettings settings{ambisonicOrder(p[kOrder]), fiveWayChoice(p[kWeight]),
                                switchState(p[kOutput]), elevationRadians(p[kElevation])};
    plan.order = settings.order;
    plan.outputMode = settings.outputMode;
    plan.stereo = switchState(p[kInput]) == 1;
    plan.nearField = switchState(p[kNFC]) == 1;
    plan.distance = distanceMetres(p[kDistance]);

    const double centre = azimuthRadians(p[kAzimuth]);
    const double halfWidth = halfWidthRadians(p[kWidth]);
    const GainVector left = encodingGains(settings, centre + halfWidth);
    const GainVector right = encodingGains(settings, centre - halfWidth);
    plan.numSounding = plan.numSilent = 0;
    for (int c = 0; c < kNumOutputs; ++c)
    {
        const int k = gainEntryOfOutput(plan.outputMode, c);
        const int order = std::min(orderOfGainEntry(plan.outputMode, k), kMaxOrder);
        plan.signalRow[c] = plan.nearField ? order : 0;
        plan.halfGainL[c] = left[k] * 0.5;
        plan.halfGainR[c] = right[k] * 0.5;
        if (left[k] == 0.0 && right[k] == 0.0)
            plan.silentChannels[plan.numSilent++] = c;
        else
            plan.soundingChannels[plan.numSounding++] = c;
    }

    // Without a usable sample rate there is no filter to design; sections whose
    // numerator equals their denominator pass the signal on unchanged.
    const bool usableRate = std::isfinite(sampleRate) && sampleRate > 0;
    plan.filters = usableRate ? designNearField(sampleRate, plan.distance)
                              : designNearField(kFallbackSampleRate, kReferenceDistance);
    return plan;
}

bool BlockPlan::madeFrom(const float (&p)[kNumParams], float sampleRate) const
{
    // Bitwise, so that a plan is reused only for exactly the values it was made from.
    return std::memcmp(p, sourceParameters, sizeof sourceParameters) == 0 &&
           std::memcmp(&sampleRate, &sourceSampleRate, sizeof sampleRate) == 0;
}

} // namespace sferant
