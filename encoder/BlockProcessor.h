// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "encoder/BlockPlan.h"
#include "encoder/FilterState.h"
#include "encoder/SourceSignals.h"

// The audio path behind both processing calls: encodes one block of a mono or
// stereo input into the 36 output channels.

namespace sferant
{

class BlockProcessor
{
  public:
    // One block with these parameter values (normalised, within 0..1). Writes
    // nothing when frames <= 0 or a buffer it needs is missing: inputs[0], in
    // stereo inputs[1], and outputs[0] to outputs[35]. The floating-point mode
    // is the caller's choice.
    void process(const float (&parameters)[kNumParams], float sampleRate, float** inputs,
                 float** outputs, int frames);
    void process(const float (&parameters)[kNumParams], float sampleRate, double** inputs,
                 double** outputs, int frames);

    // Zero from construction on; carried across blocks and both sample types.
    FilterState state{};

  private:
    template <class Sample>
    void processBlock(const float (&parameters)[kNumParams], float sampleRate, Sample** inputs,
                      Sample** outputs, int frames);
    template <class Sample>
    void processChunk(Sample** inputs, Sample** outputs, int offset, int count);
    template <class Sample> void loadSources(Sample** inputs, int offset, int count);
    void noteLatestSignals(int count);

    BlockPlan plan;
    SourceSignals signals;
};

} // namespace sferant
