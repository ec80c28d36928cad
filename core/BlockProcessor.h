// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/BlockPlan.h"
#include "core/FilterState.h"
#include "core/Glide.h"
#include "core/ParameterPoints.h"
#include "core/SourceSignals.h"

// The audio path of every plug-in format: encodes blocks of a mono or stereo input into the
// 36 output channels.
//
// A block whose values differ from the previous block's glides to them: a moving source
// (azimuth, elevation, width, and the distance with near-field filtering) moves from where
// the previous block left it and arrives at the block's last frame; a switch (order, weight,
// input, output, near-field filtering) crossfades the old settings' output into the new
// one's over the block's first 64 frames (a move in the same block goes with the fade). A
// block with the previous block's values is encoded exactly as without gliding. A near-field
// filter that starts to run (the compensation switched on, or the order raised) starts from
// silence.
//
// Values may also change at frames inside a block (parameter points): the source reaches a
// point's value at the point's frame, gliding there from the value before as between blocks,
// and a switch's crossfade starts at its point's frame. A move at a block's first frame is
// no step: it glides as a value set before the block does (hosts that automate once a block
// send their values there).

namespace sferant
{

class BlockProcessor
{
  public:
    // Writes its outputs in the Furse-Malham sequence or in ACN order.
    explicit BlockProcessor(ChannelOrder channelOrder = ChannelOrder::kFurseMalham)
        : plan(channelOrder), fadingPlan(channelOrder)
    {
    }

    // The sample rate of the blocks from now on, and the longest block the host announced
    // (longer blocks are processed too). Without a finite positive rate the near-field
    // filters pass the signal unchanged. The next block starts at its values.
    void prepare(double sampleRate, int maxFrames);
    // Clears the filters' memory, which otherwise carries on across blocks, both sample
    // types and any change of the parameters or the rate. The next block starts at its
    // values.
    void reset();
    // The next block starts at its values, without a glide from the previous block's (as
    // after a pause in the audio); the filters' memory carries on.
    void skipNextGlide();
    // The normalised values, within 0..1, that the next blocks encode with.
    void setParameters(const float (&values)[kNumParams]);

    // One block. Writes nothing when frames <= 0 or a buffer it needs is missing: inputs[0],
    // in stereo inputs[1], and outputs[0] to outputs[35]. Denormal numbers are flushed to
    // zero while it runs; the caller's floating-point mode is restored.
    void process(const float* const* inputs, float* const* outputs, int frames);
    void process(const double* const* inputs, double* const* outputs, int frames);
    // One block that starts at the values the last block ended with and takes each point's
    // value at its frame (points past the block's end at its last frame); the values stay
    // at the last points' afterwards.
    void process(const float* const* inputs, float* const* outputs, int frames,
                 const ParameterPoints& points);
    void process(const double* const* inputs, double* const* outputs, int frames,
                 const ParameterPoints& points);

    const FilterState& filterState() const { return state; }
    FilterState& filterState() { return state; }

  private:
    // What a block does with values that differ from the previous block's.
    struct Glides
    {
        bool fade, direction, distance;
    };

    template <class Sample>
    void processBlock(const Sample* const* inputs, Sample* const* outputs, int frames);
    template <class Sample>
    void processBlock(const Sample* const* inputs, Sample* const* outputs, int frames,
                      const ParameterPoints& points);
    // Frames of a block at one set of values; a switch's fade may last up to fadeRoom frames.
    template <class Sample>
    void processSpan(const Sample* const* inputs, Sample* const* outputs, int frames, int fadeRoom);
    Glides glidesFrom(const float* before) const;
    Glides startGlides(int frames, int fadeRoom);
    void startFilters(bool wereRunning, int order);
    template <class Sample>
    void processChunk(const Sample* const* inputs, Sample* const* outputs, int offset, int count);
    template <class Sample>
    void processMovingChunk(const Glides& glides, const Sample* const* inputs,
                            Sample* const* outputs, int offset, int count);
    template <class Sample>
    void processFadingChunk(const Sample* const* inputs, Sample* const* outputs, int count);
    void runMovingFilters(int offset, int count);
    void noteLatestSignals(int count);

    float parameters[kNumParams] = {};
    double sampleRate = 0;
    FilterState state{};
    BlockPlan plan;
    SourceSignals signals;
    bool glideAllowed = false;

    // A moving source's glide across the current block.
    DirectionGlide directionGlide;
    DistanceGlide distanceGlide;
    // After a switch: the previous settings, their filters' memory and their signals while
    // they fade out; a fade begun in one span of a block goes on in the next.
    BlockPlan fadingPlan;
    FilterState fadingState{};
    SourceSignals fadingSignals;
    int fadeLength = 0, fadeDone = 0;
};

} // namespace sferant
