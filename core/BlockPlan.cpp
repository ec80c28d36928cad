// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/BlockPlan.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace sferant
{

namespace
{

constexpr double kFallbackSampleRate = 44100;

// What each output channel carries in one channel order and output mode: its
// gain entry, the azimuth term that entry takes and the order whose signal it
// reads.
struct ChannelMap
{
    int entry[kNumOutputs];
    int azimuthTerm[kNumOutputs];
    int order[kNumOutputs];
};

constexpr ChannelMap channelMap(ChannelOrder channelOrder, int outputMode)
{
    ChannelMap map{};
    for (int c = 0; c < kNumOutputs; ++c)
    {
        map.entry[c] = gainEntryOfOutput(channelOrder, outputMode, c);
        map.azimuthTerm[c] = azimuthTermOfEntry(outputMode, map.entry[c]);
        map.order[c] = std::min(orderOfGainEntry(outputMode, map.entry[c]), kMaxOrder);
    }
    return map;
}

// Any mode other than 2D reads the 3D map: its gains are 0 in any case.
constexpr ChannelMap kChannelMaps[2][2] = {
    {channelMap(ChannelOrder::kFurseMalham, k3D), channelMap(ChannelOrder::kFurseMalham, k2D)},
    {channelMap(ChannelOrder::kAcn, k3D), channelMap(ChannelOrder::kAcn, k2D)},
};

const ChannelMap& channelMapOf(ChannelOrder channelOrder, int outputMode)
{
    return kChannelMaps[channelOrder == ChannelOrder::kAcn ? 1 : 0][outputMode == k2D ? 1 : 0];
}

// Bitwise, so that a part is kept only for exactly the values it was made from.
template <class Real> bool sameBits(Real a, Real b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Both are 0 of either sign: no bit but the signs is set. (Cheaper than two
// floating-point comparisons, which must also tell NaN apart.)
bool bothZero(double a, double b)
{
    std::uint64_t x, y;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return ((x | y) << 1) == 0;
}

// Halving a factor halves the product exactly.
AzimuthTerms halved(AzimuthTerms terms)
{
    for (double& t : terms)
        t *= 0.5;
    return terms;
}

} // namespace

// The two sources stand at the centre plus and minus half the width: their
// cosines and sines follow by angle addition.
void sourceGainsAt(ChannelOrder channelOrder, const GainTerms& terms, const Angle& azimuth,
                   const Angle& halfWidth, SourceGains& gains)
{
    const double cc = azimuth.cos, cs = azimuth.sin, wc = halfWidth.cos, ws = halfWidth.sin;
    const AzimuthTerms left = halved(azimuthTerms(cc * wc - cs * ws, cs * wc + cc * ws));
    const AzimuthTerms right = halved(azimuthTerms(cc * wc + cs * ws, cs * wc - cc * ws));
    const ChannelMap& map = channelMapOf(channelOrder, terms.outputMode);
    for (int c = 0; c < kNumOutputs; ++c)
    {
        const double scale = terms.scale[map.entry[c]];
        gains.left[c] = scale * left[map.azimuthTerm[c]];
        gains.right[c] = scale * right[map.azimuthTerm[c]];
    }
}

void BlockPlan::update(const float (&p)[kNumParams], double sampleRate)
{
    if (made && std::memcmp(p, madeFrom, sizeof madeFrom) == 0 && sameBits(sampleRate, madeForRate))
        return;
    const auto changed = [&](int i) { return !made || !sameBits(p[i], madeFrom[i]); };
    const bool newTerms =
        changed(kElevation) || changed(kOrder) || changed(kWeight) || changed(kOutput);

    order = ambisonicOrder(p[kOrder]);
    normalisation = choiceOf(kWeight, p[kWeight]);
    outputMode = choiceOf(kOutput, p[kOutput]);
    stereo = choiceOf(kInput, p[kInput]) == 1;
    nearField = choiceOf(kNFC, p[kNFC]) == 1;
    distance = processingValue(kDistance, p[kDistance]);
    if (changed(kAzimuth)) azimuth = Angle::of(processingValue(kAzimuth, p[kAzimuth]));
    if (changed(kElevation)) elevation = Angle::of(processingValue(kElevation, p[kElevation]));
    if (changed(kWidth)) halfWidth = Angle::of(processingValue(kWidth, p[kWidth]));
    if (newTerms)
        terms.set({order, normalisation, outputMode, elevation.radians}, elevation.sin,
                  elevation.cos);
    if (newTerms || changed(kAzimuth) || changed(kWidth)) updateGains();
    if (changed(kNFC) || changed(kOutput) || changed(kOrder)) updateSignalRows();
    if (nearField) updateFilters(sampleRate);

    std::memcpy(madeFrom, p, sizeof madeFrom);
    madeForRate = sampleRate;
    made = true;
}

void BlockPlan::updateGains()
{
    sourceGainsAt(channelOrder, terms, azimuth, halfWidth, halfGains);
    bool silent[kNumOutputs];
    for (int c = 0; c < kNumOutputs; ++c)
        silent[c] = bothZero(halfGains.left[c], halfGains.right[c]);
    if (!made || std::memcmp(silent, isSilent, sizeof silent) != 0) updateChannelLists(silent);
}

void BlockPlan::updateChannelLists(const bool (&silent)[kNumOutputs])
{
    std::copy(std::begin(silent), std::end(silent), isSilent);
    numSounding = numSilent = 0;
    for (int c = 0; c < kNumOutputs; ++c)
        if (silent[c])
            silentChannels[numSilent++] = c;
        else
            soundingChannels[numSounding++] = c;
}

// A channel above the order is silent and reads row 0, which every chunk loads: a
// crossfade reads every channel, and the rows above the order hold nothing written.
void BlockPlan::updateSignalRows()
{
    const ChannelMap& map = channelMapOf(channelOrder, outputMode);
    for (int c = 0; c < kNumOutputs; ++c)
        signalRow[c] = nearField && map.order[c] <= order ? map.order[c] : 0;
}

// Without a usable sample rate there is no filter to design; sections whose
// numerator equals their denominator pass the signal on unchanged.
void BlockPlan::updateFilters(double sampleRate)
{
    usableRate = std::isfinite(sampleRate) && sampleRate > 0;
    const double fs = usableRate ? sampleRate : kFallbackSampleRate;
    const double r = usableRate ? distance : kReferenceDistance;
    if (designed && fs == designedRate && r == designedDistance) return;
    if (!designed || fs != designedRate) designDenominators(filters, fs);
    designNumerators(filters, fs, r);
    designed = true;
    designedRate = fs;
    designedDistance = r;
}

void BlockPlan::designFiltersAt(double r, NearFieldDesign& design) const
{
    design = filters;
    if (usableRate) designNumerators(design, designedRate, r);
}

} // namespace sferant
