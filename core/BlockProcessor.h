// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/BlockPlan.h"
#include "core/FilterState.h"
#include "core/SourceSignals.h"

// The audio path of every plug-in format: encodes blocks of a mono or stereo input into the
// 36 output channels.

namespace sferant
{

class BlockProcessor
{
  public:
    // Writes its outputs in the Furse-Malham sequence or in ACN order.
    explicit BlockProcessor(ChannelOrder channelOrder = ChannelOrder::kFurseMalham)
        : plan(channelOrder)
    {
    }

    // The sample rate of the blocks from now on, and the longest block the host announced
    // (longer blocks are processed too). Without a finite positive rate the near-field
    // filters pass the signal unchanged.
    void prepare(double sampleRate, int maxFrames);
    // Clears the filters' memory, which otherwise carries on across blocks, both sample
    // types and any change of the parameters or the rate.
    void reset();
    // The normalised values, within 0..1, that the next blocks encode with.
    void setParameters(const float (&values)[kNumParams]);

    // One block. Writes nothing when frames <= 0 or a buffer it needs is missing: inputs[0],
    // in stereo inputs[1], and outputs[0] to outputs[35]. Denormal numbers are flushed to
    // zero while it runs; the caller's floating-point mode is restored.
    void process(const float* const* inputs, float* const* outputs, int frames);
    void process(const double* const* inputs, double* const* outputs, int frames);

    const FilterState& filterState() const { return state; }
    FilterState& filterState() { return state; }

  private:
    template <class Sample>
    void processBlock(const Sample* const* inputs, Sample* const* outputs, int frames);
    template <class Sample>
    void processChunk(const Sample* const* inputs, Sample* const* outputs, int offset, int count);
    template <class Sample> void loadSources(const Sample* const* inputs, int offset, int count);
    void noteLatestSignals(int count);

    float parameters[kNumParams] = {};
    double sampleRate = 0;
    FilterState state{};
    BlockPlan plan;
    SourceSignals signals;
};

} // namespace sferant
