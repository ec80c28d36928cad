// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/BlockProcessor.h"

#include "core/FlushDenormals.h"
#include "core/gains.h"
#include "core/mix.h"
#include "core/nearfield_filters.h"

#include <algorithm>
#include <iterator>

namespace sferant
{

namespace
{

template <class Sample>
bool buffersUsable(const Sample* const* inputs, Sample* const* outputs, int frames, bool stereo)
{
    if (frames <= 0 || !inputs || !outputs || !inputs[0] || (stereo && !inputs[1])) return false;
    return std::all_of(outputs, outputs + kNumOutputs,
                       [](const Sample* p) { return p != nullptr; });
}

// A single-precision block holds its left sample as a float once the distance
// gain is applied; a double block keeps it as it is. Deliberate, not a lost
// digit to restore: the encoder's defined output rounds the left source (not
// the right) this way, and the tests' reference rounds it alike.
template <class Sample> double holdLeft(double value)
{
    return static_cast<Sample>(value);
}

} // namespace

void BlockProcessor::prepare(double rate, int /*maxFrames*/)
{
    sampleRate = rate;
}

void BlockProcessor::reset()
{
    state = FilterState{};
}

void BlockProcessor::setParameters(const float (&values)[kNumParams])
{
    std::copy(std::begin(values), std::end(values), parameters);
}

void BlockProcessor::process(const float* const* inputs, float* const* outputs, int frames)
{
    processBlock(inputs, outputs, frames);
}

void BlockProcessor::process(const double* const* inputs, double* const* outputs, int frames)
{
    processBlock(inputs, outputs, frames);
}

template <class Sample>
void BlockProcessor::processBlock(const Sample* const* inputs, Sample* const* outputs, int frames)
{
    if (!buffersUsable(inputs, outputs, frames, switchState(parameters[kInput]) == 1)) return;
    FlushDenormals flush;
    plan.update(parameters, sampleRate);
    for (int offset = 0; offset < frames; offset += kChunkFrames)
        processChunk(inputs, outputs, offset, std::min(kChunkFrames, frames - offset));
    if (plan.nearField) state.recoverFromNonFinite();
}

template <class Sample>
void BlockProcessor::processChunk(const Sample* const* inputs, Sample* const* outputs, int offset,
                                  int count)
{
    loadSources(inputs, offset, count);
    if (plan.nearField) runNearFieldFilters(plan.filters, plan.order, state, signals, 0, count);
    mixChannels(plan, signals, outputs, offset, count);
    noteLatestSignals(count);
}

template <class Sample>
void BlockProcessor::loadSources(const Sample* const* inputs, int offset, int count)
{
    const Sample* left = inputs[0] + offset;
    const Sample* right = (plan.stereo ? inputs[1] : inputs[0]) + offset;
    double* l = signals.left[0];
    double* r = signals.right[0];
    if (!plan.nearField)
    {
        std::copy(left, left + count, l);
        std::copy(right, right + count, r);
        return;
    }
    // The distance gain: the reference distance over the source distance.
    const double distance = plan.distance;
    for (int i = 0; i < count; ++i)
    {
        l[i] = holdLeft<Sample>(2 * static_cast<double>(left[i]) / distance);
        r[i] = 2 * static_cast<double>(right[i]) / distance;
    }
}

// Keeps each order's latest signal as the filters left it: the input itself
// without near-field filtering; zero above the order in 3D; unchanged above it
// in 2D.
void BlockProcessor::noteLatestSignals(int count)
{
    const int last = count - 1;
    for (int n = 1; n <= kMaxOrder; ++n)
    {
        const int row = !plan.nearField ? 0 : n <= plan.order ? n : -1;
        if (row >= 0)
        {
            state.orderSignalL[n - 1] = signals.left[row][last];
            state.orderSignalR[n - 1] = signals.right[row][last];
        }
        else if (plan.outputMode == k3D)
        {
            state.orderSignalL[n - 1] = 0.0;
            state.orderSignalR[n - 1] = 0.0;
        }
    }
}

} // namespace sferant
