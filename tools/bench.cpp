// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "tools/channel_buffers.h"
#include "tools/commands.h"
#include "tools/demo_signal.h"
#include "plugin/hosting/LoadedPlugin.h"
#include "tools/options.h"
#include "tools/stop_signal.h"
#include "tools/tool_error.h"

namespace
{

constexpr int kDefaultBlocks[] = {64, 512};
constexpr double kDefaultSeconds = 2.0;
constexpr double kDefaultRate = 48000.0;
constexpr double kWarmUpSeconds = 0.1;
constexpr int kCallsPerClockRead = 16;

using Clock = std::chrono::steady_clock;

const std::vector<ParameterPoint> kNoChanges;

struct Measurement
{
    int64_t frames;
    double seconds;
};

// Noise on every input: some modules skip work on silence, which would flatter them.
template <typename Sample> void fillWithNoise(ChannelBuffers<Sample>& in, int block, double rate)
{
    DemoSignal signal(in.channels(), rate, 1.0 + double(block) / rate);
    std::vector<float> interleaved(static_cast<size_t>(in.channels()) * block);
    signal.skip(static_cast<int64_t>(0.05 * rate)); // past the first fade-in
    signal.read(interleaved.data(), block);
    in.deinterleave(std::vector<Sample>(interleaved.begin(), interleaved.end()).data(),
                    in.channels(), block);
}

// Parameters that a host automates: before every block each one takes the next
// value of a sweep from 0 to 1 and back, one way per second of audio.
class Sweeps
{
  public:
    Sweeps(std::vector<int> indices, int block, double rate)
        : indices(std::move(indices)), step(block / rate)
    {
    }

    void next(LoadedPlugin& effect)
    {
        position = std::fmod(position + step, 2.0);
        const float value = static_cast<float>(position <= 1.0 ? position : 2.0 - position);
        for (int index : indices)
            effect.setParameter(index, value);
    }

  private:
    std::vector<int> indices;
    double step;
    double position = 0.0;
};

// Calls the process function on the same block until `seconds` have passed;
// the moved parameters are set before each call, inside the timing.
template <typename Sample>
Measurement measure(LoadedPlugin& effect, int block, double rate, double seconds, Sweeps& sweeps)
{
    ChannelBuffers<Sample> in(effect.numInputs(), block), out(effect.numOutputs(), block);
    fillWithNoise(in, block, rate);
    Measurement result{0, 0.0};
    const Clock::time_point start = Clock::now();
    while (result.seconds < seconds && !stopRequested())
    {
        for (int i = 0; i < kCallsPerClockRead; ++i)
        {
            sweeps.next(effect);
            effect.process(in.pointers(), out.pointers(), block, kNoChanges);
        }
        result.frames += int64_t(kCallsPerClockRead) * block;
        result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
    return result;
}

void benchBlock(LoadedPlugin& effect, int block, double rate, double seconds, bool useDouble,
                const std::vector<int>& moved)
{
    effect.startProcessing(static_cast<float>(rate), block, useDouble);
    auto run = useDouble ? measure<double> : measure<float>;
    Sweeps sweeps(moved, block, rate);
    run(effect, block, rate, kWarmUpSeconds, sweeps);
    const Measurement m = run(effect, block, rate, seconds, sweeps);
    effect.stopProcessing();
    const double audioSeconds = m.frames / rate;
    std::printf("%6d %12lld %10.2f %12.1f\n", block, static_cast<long long>(m.frames),
                m.seconds * 1e9 / m.frames, audioSeconds / m.seconds);
    std::fflush(stdout);
}

std::vector<int> findMoved(LoadedPlugin& effect, const std::vector<std::string>& names)
{
    std::vector<int> indices;
    for (const std::string& name : names)
    {
        const int index = effect.findParameter(name);
        if (index < 0)
            throw ToolError("--move: the module has no parameter named \"" + name + "\"");
        indices.push_back(index);
    }
    return indices;
}

} // namespace

int runBench(const std::vector<std::string>& args)
{
    std::vector<std::string> accepted = kParameterOptions;
    accepted.insert(accepted.end(), {"block", "seconds", "rate", "double", "trace", "move"});
    Options options = parseOptions(args, accepted);
    if (options.positional.size() != 1)
        throw ToolError(
            "usage: sferant-host bench MODULE.so [--block N]... [--seconds S] [options]");
    if (options.blocks.empty())
        options.blocks.assign(std::begin(kDefaultBlocks), std::end(kDefaultBlocks));
    const double rate = options.rate > 0 ? options.rate : kDefaultRate;
    const double seconds = options.seconds >= 0 ? options.seconds : kDefaultSeconds;
    catchStopSignals();

    const std::unique_ptr<LoadedPlugin> plugin = loadModule(options);
    LoadedPlugin& effect = *plugin;
    applyParameters(effect, options.parameters);
    const std::vector<int> moved = findMoved(effect, options.moved);
    std::printf("%s: %d in, %d out, %s, %.0f Hz\n", effect.name().c_str(), effect.numInputs(),
                effect.numOutputs(), options.useDouble ? "double" : "float", rate);
    std::printf("%6s %12s %10s %12s\n", "block", "frames", "ns/frame", "x real time");
    for (int block : options.blocks)
    {
        if (stopRequested()) throw ToolError("interrupted");
        benchBlock(effect, block, rate, seconds, options.useDouble, moved);
    }
    return 0;
}
