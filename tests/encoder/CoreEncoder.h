// SPDX-License-Identifier: GPL-3.0-or-later
// The encoder's core as the tests drive it: the nine normalised values a host would set, and
// the block processor that encodes each block with them, as every format's adapter does.
#pragma once

#include "HostedEffect.h"
#include "core/BlockProcessor.h"
#include "core/edition.h"

namespace sferant_test
{

class CoreEncoder
{
  public:
    explicit CoreEncoder(const sferant::Edition& edition = sferant::kSferant);

    // Values within 0..1, as every adapter stores them.
    void set(int index, float value) { values[index] = value; }
    float get(int index) const { return values[index]; }
    void setAll(const float (&all)[sferant::kNumParams]);

    // A host's start: the rate and the longest block; the next block starts at its values.
    void start(double sampleRate, int maxBlock) { processor.prepare(sampleRate, maxBlock); }
    // After a pause in the audio: the next block starts at its values.
    void resume() { processor.skipNextGlide(); }

    void process(const float* const* inputs, float* const* outputs, int frames);
    void process(const double* const* inputs, double* const* outputs, int frames);
    template <class Sample> void process(Channels<Sample>& channels, int frames)
    {
        process(channels.inputs, channels.outputs, frames);
    }

    sferant::BlockProcessor processor;
    float values[sferant::kNumParams];
};

} // namespace sferant_test
