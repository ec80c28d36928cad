// SPDX-License-Identifier: GPL-3.0-or-later
// The VST3 plug-in through its interfaces: a state of any bytes, read in chunks of any size,
// then blocks of any length (beyond the announced one too) with parameter points of any id,
// frame and value, in both precisions.
//
// Invariants: a refused state changes no value; an accepted one saves back to the same
// bytes (what follows it in the stream is not read); after any points every value lies within 0..1;
// every output is finite.
#include "FuzzInput.h"
#include "FuzzTargets.h"

#include "core/parameters.h"
#include "plugin/vst3/host_side/Vst3Instance.h"

#include <algorithm>
#include <cmath>
#include <vector>

extern "C" void* GetPluginFactory();

namespace fuzz
{

namespace
{

using sferant::vst3::HostPoint;
using sferant::vst3::Vst3Instance;

constexpr int kMaxBlock = 1000;

std::vector<double> values(const Vst3Instance& instance)
{
    std::vector<double> all(sferant::kNumParams);
    for (int i = 0; i < sferant::kNumParams; ++i)
        all[i] = instance.normalised(i);
    return all;
}

template <class Sample> void block(Vst3Instance& instance, FuzzInput& in)
{
    const int frames = (in.byte() | in.byte() << 8) % (2 * kMaxBlock);
    std::vector<HostPoint> points(in.byte() % 16);
    for (HostPoint& p : points)
        p = {in.byte() * 8 - 16, in.byte() % 12, in.raw<float>()};
    std::vector<std::vector<Sample>> buffers(38, std::vector<Sample>(frames, Sample(0.25)));
    Sample* inputs[2] = {buffers[0].data(), buffers[1].data()};
    Sample* outputs[36];
    for (int c = 0; c < 36; ++c)
        outputs[c] = buffers[c + 2].data();
    instance.process(inputs, 2, outputs, 36, frames, points);
    for (int c = 0; c < 36; ++c)
        for (Sample x : buffers[c + 2])
            check(std::isfinite(x), "every output is finite");
    for (double x : values(instance))
        check(x >= 0 && x <= 1, "every value lies within 0..1");
}

} // namespace

void vst3Target(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    auto* factory = static_cast<v3_plugin_factory**>(GetPluginFactory());
    Vst3Instance instance(factory, in.byte() % 2);
    const int chunk = 1 + in.byte() % 40;
    const size_t length = in.byte() % 64;
    const uint8_t* state = nullptr;
    const size_t count = in.rest(&state, length);
    const std::vector<unsigned char> bytes(state, state + count);
    const std::vector<double> before = values(instance);
    if (instance.loadState(bytes, chunk) == V3_OK)
    {
        // What follows the state in the stream is not read.
        const std::vector<unsigned char> saved = instance.saveState();
        check(saved.size() <= bytes.size() && std::equal(saved.begin(), saved.end(), bytes.begin()),
              "an accepted state saves back to its bytes");
    }
    else
        check(values(instance) == before, "a refused state changes nothing");
    const bool wide = in.byte() & 1;
    instance.start(48000, kMaxBlock, wide);
    while (!in.empty())
        wide ? block<double>(instance, in) : block<float>(instance, in);
}

} // namespace fuzz
