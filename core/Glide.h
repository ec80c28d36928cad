// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/BlockPlan.h"
#include "core/SourceSignals.h"

// A moving source glides across a block: from where the previous block left it
// to this block's values, which it reaches at the block's last frame. Its gains
// and near-field filters are exact at the end of every step of the block and
// stepped or interpolated between, so that no trigonometry runs per sample.

namespace sferant
{

// Exact gains and filter designs come at least this often (in frames).
constexpr int kGlideStep = 32;
constexpr int kStepsPerChunk = kChunkFrames / kGlideStep;
static_assert(kChunkFrames % kGlideStep == 0, "a chunk holds whole steps");

// Where a source stands.
struct Direction
{
    Angle azimuth, elevation, halfWidth;
};

// The gains at a chunk's start and at the end of each of its steps.
struct GainRamps
{
    int steps;
    int length[kStepsPerChunk];
    const SourceGains* at[kStepsPerChunk + 1];
};

// Each angle moves linearly, the azimuth the short way round. The steps' angles
// come by angle addition of a step's turn, which is the only trigonometry of a
// block besides the plan's own.
class DirectionGlide
{
  public:
    // Where the plan stands before it moves on to the block's values.
    void startFrom(const BlockPlan& plan);
    // To where the plan stands now, across a block of `frames`.
    void glideTo(const BlockPlan& plan, int frames);
    // The gains of the chunk at frames offset .. offset + count - 1; chunks come in order.
    const GainRamps& rampsFor(int offset, int count);

  private:
    // The gains after the next step, which ends after `end` frames of the block.
    const SourceGains* nextGains(int end, SourceGains& storage);

    const BlockPlan* to;
    int frames;
    bool azimuthMoves, elevationMoves, widthMoves;
    Direction now, turn;
    GainTerms terms;
    GainRamps ramps;
    SourceGains startGains;
    // The steps' gains, a chunk's in one bank while the other holds the chunk before's.
    SourceGains stepGains[2][kStepsPerChunk];
    int bank;
};

// The distance moves linearly across the block. The distance gain (the
// reference distance over the source distance) and the filters are exact at
// the end of every step; the gain goes linearly between, the filters step.
class DistanceGlide
{
  public:
    void start(double fromMetres, const BlockPlan& to, int frames);
    // The distance gain after `end` frames of the block (0 to frames).
    double scaleAt(int end) const;
    // The filters for the step that ends after `end` frames: the plan's own at
    // the block's end, else designed into `scratch`.
    const NearFieldDesign& designFor(int end, NearFieldDesign& scratch) const;

  private:
    double distanceAt(int end) const;

    const BlockPlan* to;
    double from, change;
    int frames;
};

} // namespace sferant
