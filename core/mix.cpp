// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/mix.h"

#include "core/WiderVectors.h"

#include <algorithm>

namespace sferant
{

namespace
{

template <class Sample>
SFERANT_INLINE void mixChannel(Sample* __restrict out, const double* __restrict left,
                               const double* __restrict right, double gainL, double gainR,
                               int count)
{
    for (int i = 0; i < count; ++i)
        out[i] = static_cast<Sample>(left[i] * gainL + right[i] * gainR);
}

template <class Sample>
SFERANT_INLINE void mixAll(const BlockPlan& plan, const SourceSignals& signals,
                           Sample* const* outputs, int offset, int count)
{
    for (int i = 0; i < plan.numSilent; ++i)
    {
        Sample* out = outputs[plan.silentChannels[i]] + offset;
        for (int j = 0; j < count; ++j)
            out[j] = Sample(0);
    }
    for (int i = 0; i < plan.numSounding; ++i)
    {
        const int c = plan.soundingChannels[i];
        const int row = plan.signalRow[c];
        mixChannel(outputs[c] + offset, signals.left[row], signals.right[row],
                   plan.halfGains.left[c], plan.halfGains.right[c], count);
    }
}

template <class Sample>
using MixFunction = void (*)(const BlockPlan&, const SourceSignals&, Sample* const*, int, int);

template <class Sample>
void mixPlain(const BlockPlan& plan, const SourceSignals& signals, Sample* const* outputs,
              int offset, int count)
{
    mixAll(plan, signals, outputs, offset, count);
}

template <class Sample>
SFERANT_AVX2 void mixAvx2(const BlockPlan& plan, const SourceSignals& signals,
                          Sample* const* outputs, int offset, int count)
{
    mixAll(plan, signals, outputs, offset, count);
}

template <class Sample>
SFERANT_AVX512 void mixAvx512(const BlockPlan& plan, const SourceSignals& signals,
                              Sample* const* outputs, int offset, int count)
{
    mixAll(plan, signals, outputs, offset, count);
}

template <class Sample> MixFunction<Sample> widestMix()
{
    return widestOf<MixFunction<Sample>>(mixPlain<Sample>, mixAvx2<Sample>, mixAvx512<Sample>);
}

const MixFunction<float> mixFloat = widestMix<float>();
const MixFunction<double> mixDouble = widestMix<double>();

// A switch comes seldom: this runs plain.
template <class Sample>
void crossfade(const BlockPlan& from, const SourceSignals& fromSignals, const BlockPlan& to,
               const SourceSignals& toSignals, Sample* const* outputs, int count,
               const FadeSpan& fade)
{
    const double perFrame = 1.0 / fade.length;
    const int fadeFrames = fade.frames;
    for (int c = 0; c < kNumOutputs; ++c)
    {
        const double oldL = from.halfGains.left[c], oldR = from.halfGains.right[c];
        const double newL = to.halfGains.left[c], newR = to.halfGains.right[c];
        const double *oldLeft = fromSignals.left[from.signalRow[c]],
                     *oldRight = fromSignals.right[from.signalRow[c]];
        const double *left = toSignals.left[to.signalRow[c]],
                     *right = toSignals.right[to.signalRow[c]];
        Sample* out = outputs[c];
        for (int i = 0; i < fadeFrames; ++i)
        {
            const double in = (fade.done + i + 1) * perFrame;
            out[i] = static_cast<Sample>((oldLeft[i] * oldL + oldRight[i] * oldR) * (1 - in) +
                                         (left[i] * newL + right[i] * newR) * in);
        }
        for (int i = fadeFrames; i < count; ++i)
            out[i] = static_cast<Sample>(left[i] * newL + right[i] * newR);
    }
}

} // namespace

void mixChannels(const BlockPlan& plan, const SourceSignals& signals, float* const* outputs,
                 int offset, int count)
{
    mixFloat(plan, signals, outputs, offset, count);
}

void mixChannels(const BlockPlan& plan, const SourceSignals& signals, double* const* outputs,
                 int offset, int count)
{
    mixDouble(plan, signals, outputs, offset, count);
}

void mixCrossfade(const BlockPlan& from, const SourceSignals& fromSignals, const BlockPlan& to,
                  const SourceSignals& toSignals, float* const* outputs, int count,
                  const FadeSpan& fade)
{
    crossfade(from, fromSignals, to, toSignals, outputs, count, fade);
}

void mixCrossfade(const BlockPlan& from, const SourceSignals& fromSignals, const BlockPlan& to,
                  const SourceSignals& toSignals, double* const* outputs, int count,
                  const FadeSpan& fade)
{
    crossfade(from, fromSignals, to, toSignals, outputs, count, fade);
}

} // namespace sferant
