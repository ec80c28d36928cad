// SPDX-License-Identifier: GPL-3.0-or-later
// The mix of a moving source: every output channel with gains that go linearly
// across each step of the glide.
#include "core/mix.h"

#include "core/WiderVectors.h"

#include <cstdint>
#include <cstring>

// Processors with AVX2 have fused multiply-add as well.
#if SFERANT_WIDER_VECTORS
#define SFERANT_AVX2_FMA __attribute__((target("avx2,fma")))
#else
#define SFERANT_AVX2_FMA
#endif

// Lanes pass only between this file's functions, which are inlined into each
// variant: the calling convention of a 64-byte vector never comes into play.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace sferant
{

namespace
{

// A step's frames count from 1: its last frame takes the gains at its end.
template <class Sample>
SFERANT_INLINE void rampChannel(Sample* __restrict out, const double* __restrict left,
                                const double* __restrict right, double gainL, double slopeL,
                                double gainR, double slopeR, int count)
{
    for (int i = 0; i < count; ++i)
        out[i] = static_cast<Sample>(left[i] * (gainL + slopeL * (i + 1)) +
                                     right[i] * (gainR + slopeR * (i + 1)));
}

// Eight frames at once, in vectors as wide as the processor's registers: eight lanes with
// AVX-512, four with AVX2, two with SSE2 (the compiler's own split of a wider vector spills
// to the stack). The same arithmetic at every width, lane for lane.
constexpr int kGroup = 8;
static_assert(kGlideStep % kGroup == 0, "a step is whole groups");

template <int Lanes> struct Vectors
{
    typedef double Doubles __attribute__((vector_size(Lanes * sizeof(double))));
    typedef float Floats __attribute__((vector_size(Lanes * sizeof(float))));
};

template <class V> SFERANT_INLINE V load(const double* p)
{
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class V> SFERANT_INLINE void store(double* p, V v)
{
    std::memcpy(p, &v, sizeof v);
}

template <class V> SFERANT_INLINE void store(float* p, V v)
{
    typedef typename Vectors<sizeof(V) / sizeof(double)>::Floats Floats;
    const Floats f = __builtin_convertvector(v, Floats);
    std::memcpy(p, &f, sizeof f);
}

// A whole step, the usual one: the gains of a group of eight frames go up by eight frames'
// slope, which saves the products of the frame numbers.
template <int Lanes, class Sample>
SFERANT_INLINE void rampWholeStep(Sample* out, const double* left, const double* right,
                                  double startL, double slopeL, double startR, double slopeR)
{
    typedef typename Vectors<Lanes>::Doubles V;
    constexpr int kParts = kGroup / Lanes;
    V gainL[kParts], gainR[kParts];
    for (int p = 0; p < kParts; ++p)
    {
        V frames;
        for (int j = 0; j < Lanes; ++j)
            frames[j] = 1 + p * Lanes + j;
        gainL[p] = startL + slopeL * frames;
        gainR[p] = startR + slopeR * frames;
    }
    const V nextL = V{} + slopeL * kGroup, nextR = V{} + slopeR * kGroup;
    for (int i = 0; i < kGlideStep; i += kGroup)
        for (int p = 0; p < kParts; ++p)
        {
            const int at = i + p * Lanes;
            store(out + at, load<V>(left + at) * gainL[p] + load<V>(right + at) * gainR[p]);
            gainL[p] += nextL;
            gainR[p] += nextR;
        }
}

// Per step, every channel's change of gain per frame; and which channels sound
// at all in the chunk.
struct StepGains
{
    SourceGains slope[kStepsPerChunk];
    bool sounding[kNumOutputs];
};

SFERANT_INLINE void stepGains(const GainRamps& ramps, StepGains& steps)
{
    for (int s = 0; s < ramps.steps; ++s)
    {
        const SourceGains &start = *ramps.at[s], &end = *ramps.at[s + 1];
        const double perFrame = 1.0 / ramps.length[s];
        for (int c = 0; c < kNumOutputs; ++c)
        {
            steps.slope[s].left[c] = (end.left[c] - start.left[c]) * perFrame;
            steps.slope[s].right[c] = (end.right[c] - start.right[c]) * perFrame;
        }
    }
    // The bits of every gain but their signs, gathered: none set means silence.
    // (Integers, which vectorise, rather than comparisons, which branch.)
    std::uint64_t bits[kNumOutputs] = {};
    for (int s = 0; s <= ramps.steps; ++s)
    {
        std::uint64_t left[kNumOutputs], right[kNumOutputs];
        std::memcpy(left, ramps.at[s]->left, sizeof left);
        std::memcpy(right, ramps.at[s]->right, sizeof right);
        for (int c = 0; c < kNumOutputs; ++c)
            bits[c] |= (left[c] | right[c]) << 1;
    }
    for (int c = 0; c < kNumOutputs; ++c)
        steps.sounding[c] = bits[c] != 0;
}

template <int Lanes, class Sample>
SFERANT_INLINE void glideAll(const BlockPlan& plan, const GainRamps& ramps,
                             const SourceSignals& signals, Sample* const* outputs, int offset,
                             int count)
{
    StepGains steps;
    stepGains(ramps, steps);
    for (int c = 0; c < kNumOutputs; ++c)
        if (!steps.sounding[c])
        {
            Sample* out = outputs[c] + offset;
            for (int j = 0; j < count; ++j)
                out[j] = Sample(0);
        }
    for (int s = 0, first = 0; s < ramps.steps; first += ramps.length[s++])
    {
        const SourceGains& start = *ramps.at[s];
        const SourceGains& slope = steps.slope[s];
        const int length = ramps.length[s];
        for (int c = 0; c < kNumOutputs; ++c)
        {
            if (!steps.sounding[c]) continue;
            Sample* out = outputs[c] + offset + first;
            const double* left = signals.left[plan.signalRow[c]] + first;
            const double* right = signals.right[plan.signalRow[c]] + first;
            if (length == kGlideStep)
                rampWholeStep<Lanes>(out, left, right, start.left[c], slope.left[c], start.right[c],
                                     slope.right[c]);
            else
                rampChannel(out, left, right, start.left[c], slope.left[c], start.right[c],
                            slope.right[c], length);
        }
    }
}

template <class Sample>
using GlideFunction = void (*)(const BlockPlan&, const GainRamps&, const SourceSignals&,
                               Sample* const*, int, int);

template <class Sample>
void glidePlain(const BlockPlan& plan, const GainRamps& ramps, const SourceSignals& signals,
                Sample* const* outputs, int offset, int count)
{
    glideAll<2>(plan, ramps, signals, outputs, offset, count);
}

template <class Sample>
SFERANT_AVX2_FMA void glideAvx2(const BlockPlan& plan, const GainRamps& ramps,
                                const SourceSignals& signals, Sample* const* outputs, int offset,
                                int count)
{
    glideAll<4>(plan, ramps, signals, outputs, offset, count);
}

template <class Sample>
SFERANT_AVX512 void glideAvx512(const BlockPlan& plan, const GainRamps& ramps,
                                const SourceSignals& signals, Sample* const* outputs, int offset,
                                int count)
{
    glideAll<kGroup>(plan, ramps, signals, outputs, offset, count);
}

template <class Sample> GlideFunction<Sample> widestGlide()
{
    return widestOf<GlideFunction<Sample>>(glidePlain<Sample>, glideAvx2<Sample>,
                                           glideAvx512<Sample>);
}

const GlideFunction<float> glideFloat = widestGlide<float>();
const GlideFunction<double> glideDouble = widestGlide<double>();

} // namespace

void mixGliding(const BlockPlan& plan, const GainRamps& ramps, const SourceSignals& signals,
                float* const* outputs, int offset, int count)
{
    glideFloat(plan, ramps, signals, outputs, offset, count);
}

void mixGliding(const BlockPlan& plan, const GainRamps& ramps, const SourceSignals& signals,
                double* const* outputs, int offset, int count)
{
    glideDouble(plan, ramps, signals, outputs, offset, count);
}

} // namespace sferant
