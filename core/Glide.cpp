// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Glide.h"

#include "core/nearfield.h"

#include <algorithm>
#include <cmath>

namespace sferant
{

namespace
{

// The change of azimuth the short way round: within -pi .. pi.
double shortestTurn(double from, double to)
{
    const double turn = to - from;
    if (turn > kPi) return turn - 2 * kPi;
    if (turn < -kPi) return turn + 2 * kPi;
    return turn;
}

} // namespace

void DirectionGlide::startFrom(const BlockPlan& plan)
{
    now = {plan.azimuth, plan.elevation, plan.halfWidth};
    startGains = plan.halfGains;
}

void DirectionGlide::glideTo(const BlockPlan& plan, int blockFrames)
{
    to = &plan;
    frames = blockFrames;
    const double azimuthChange = shortestTurn(now.azimuth.radians, plan.azimuth.radians);
    const double elevationChange = plan.elevation.radians - now.elevation.radians;
    const double widthChange = plan.halfWidth.radians - now.halfWidth.radians;
    azimuthMoves = azimuthChange != 0;
    elevationMoves = elevationChange != 0;
    widthMoves = widthChange != 0;
    // A step's turn; a block of one step or less has no step inside to turn to.
    const double perStep = static_cast<double>(kGlideStep) / frames;
    if (frames > kGlideStep)
    {
        if (azimuthMoves) turn.azimuth = Angle::of(azimuthChange * perStep);
        if (elevationMoves) turn.elevation = Angle::of(elevationChange * perStep);
        if (widthMoves) turn.halfWidth = Angle::of(widthChange * perStep);
    }
    if (!azimuthMoves) now.azimuth = plan.azimuth;
    if (!elevationMoves) now.elevation = plan.elevation;
    if (!widthMoves) now.halfWidth = plan.halfWidth;
    ramps.steps = 0;
    ramps.at[0] = &startGains;
    bank = 0;
}

const GainRamps& DirectionGlide::rampsFor(int offset, int count)
{
    ramps.at[0] = ramps.at[ramps.steps];
    ramps.steps = 0;
    bank = 1 - bank;
    for (int first = 0; first < count; first += kGlideStep)
    {
        const int length = std::min(kGlideStep, count - first);
        ramps.length[ramps.steps] = length;
        ramps.at[ramps.steps + 1] =
            nextGains(offset + first + length, stepGains[bank][ramps.steps]);
        ++ramps.steps;
    }
    return ramps;
}

// Every step but the block's last is a whole one; the last takes the plan's
// gains, which the next block starts from.
const SourceGains* DirectionGlide::nextGains(int end, SourceGains& gains)
{
    if (end == frames) return &to->halfGains;
    if (azimuthMoves) now.azimuth = now.azimuth.plus(turn.azimuth);
    if (widthMoves) now.halfWidth = now.halfWidth.plus(turn.halfWidth);
    if (elevationMoves)
    {
        now.elevation = now.elevation.plus(turn.elevation);
        terms.set({to->order, to->normalisation, to->outputMode, now.elevation.radians},
                  now.elevation.sin, now.elevation.cos);
    }
    sourceGainsAt(to->channelOrder, elevationMoves ? terms : to->terms, now.azimuth, now.halfWidth,
                  gains);
    return &gains;
}

void DistanceGlide::start(double fromMetres, const BlockPlan& plan, int blockFrames)
{
    to = &plan;
    from = fromMetres;
    change = plan.distance - fromMetres;
    frames = blockFrames;
}

// The block's end takes the plan's distance and filters, which the next block
// goes on with.
double DistanceGlide::distanceAt(int end) const
{
    return end == frames ? to->distance : from + change * end / frames;
}

double DistanceGlide::scaleAt(int end) const
{
    return kReferenceDistance / distanceAt(end);
}

const NearFieldDesign& DistanceGlide::designFor(int end, NearFieldDesign& scratch) const
{
    if (end == frames) return to->filters;
    to->designFiltersAt(distanceAt(end), scratch);
    return scratch;
}

} // namespace sferant
