#include "encoder/mix.h"

#include <algorithm>

// Wider vector instructions where the processor has them, chosen at load time.
#if defined(__x86_64__) && defined(__GNUC__)
#define SFERANT_VECTOR_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#define SFERANT_INLINE __attribute__((always_inline)) inline
#else
#define SFERANT_VECTOR_CLONES
#define SFERANT_INLINE inline
#endif

namespace sferant {

namespace {

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
  for (int i = 0; i < plan.numSilent; ++i) {
    Sample* out = outputs[plan.silentChannels[i]] + offset;
    std::fill(out, out + count, Sample(0));
  }
  for (int i = 0; i < plan.numSounding; ++i) {
    const int c = plan.soundingChannels[i];
    const int row = plan.signalRow[c];
    mixChannel(outputs[c] + offset, signals.left[row], signals.right[row], plan.halfGainL[c],
               plan.halfGainR[c], count);
  }
}

}  // namespace

SFERANT_VECTOR_CLONES
void mixChannels(const BlockPlan& plan, const SourceSignals& signals, float** outputs, int offset,
                 int count)
{
  mixAll(plan, signals, outputs, offset, count);
}

SFERANT_VECTOR_CLONES
void mixChannels(const BlockPlan& plan, const SourceSignals& signals, double** outputs,
                 int offset, int count)
{
  mixAll(plan, signals, outputs, offset, count);
}

}  // namespace sferant
