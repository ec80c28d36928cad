#include "encoder/mix.h"

#include <algorithm>

#if defined(__x86_64__) && defined(__GNUC__)
#define SFERANT_INLINE __attribute__((always_inline)) inline
#define SFERANT_WIDER_VECTORS 1
#else
#define SFERANT_INLINE inline
#define SFERANT_WIDER_VECTORS 0
#endif

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
SFERANT_INLINE void mixAll(const BlockPlan& plan, const SourceSignals& signals, Sample** outputs,
                           int offset, int count)
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
        mixChannel(outputs[c] + offset, signals.left[row], signals.right[row], plan.halfGainL[c],
                   plan.halfGainR[c], count);
    }
}

template <class Sample>
using MixFunction = void (*)(const BlockPlan&, const SourceSignals&, Sample**, int, int);

template <class Sample>
void mixPlain(const BlockPlan& plan, const SourceSignals& signals, Sample** outputs, int offset,
              int count)
{
    mixAll(plan, signals, outputs, offset, count);
}

#if SFERANT_WIDER_VECTORS
template <class Sample>
__attribute__((target("avx2"))) void mixAvx2(const BlockPlan& plan, const SourceSignals& signals,
                                             Sample** outputs, int offset, int count)
{
    mixAll(plan, signals, outputs, offset, count);
}

template <class Sample>
__attribute__((target("avx512f"))) void mixAvx512(const BlockPlan& plan,
                                                  const SourceSignals& signals, Sample** outputs,
                                                  int offset, int count)
{
    mixAll(plan, signals, outputs, offset, count);
}
#endif

// The widest variant this processor runs, chosen once when the module loads.
// (A plain function pointer rather than an ifunc: sanitizer builds cannot run
// ifunc resolvers.)
template <class Sample> MixFunction<Sample> widestMix()
{
#if SFERANT_WIDER_VECTORS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) return mixAvx512<Sample>;
    if (__builtin_cpu_supports("avx2")) return mixAvx2<Sample>;
#endif
    return mixPlain<Sample>;
}

const MixFunction<float> mixFloat = widestMix<float>();
const MixFunction<double> mixDouble = widestMix<double>();

} // namespace

void mixChannels(const BlockPlan& plan, const SourceSignals& signals, float** outputs, int offset,
                 int count)
{
    mixFloat(plan, signals, outputs, offset, count);
}

void mixChannels(const BlockPlan& plan, const SourceSignals& signals, double** outputs, int offset,
                 int count)
{
    mixDouble(plan, signals, outputs, offset, count);
}

} // namespace sferant
