#include <chrono>
#include <cstdio>

#include "tools/channel_buffers.h"
#include "tools/commands.h"
#include "tools/demo_signal.h"
#include "tools/hosted_effect.h"
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

// Calls the process function on the same block until `seconds` have passed.
template <typename Sample>
Measurement measure(AEffect& record, int block, double rate, double seconds)
{
    ChannelBuffers<Sample> in(record.numInputs, block), out(record.numOutputs, block);
    fillWithNoise(in, block, rate);
    Measurement result{0, 0.0};
    const Clock::time_point start = Clock::now();
    while (result.seconds < seconds && !stopRequested())
    {
        for (int i = 0; i < kCallsPerClockRead; ++i)
            processBlock(record, in.pointers(), out.pointers(), block);
        result.frames += int64_t(kCallsPerClockRead) * block;
        result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
    return result;
}

void benchBlock(HostedEffect& effect, int block, double rate, double seconds, bool useDouble)
{
    effect.startProcessing(static_cast<float>(rate), block, useDouble);
    auto run = useDouble ? measure<double> : measure<float>;
    run(effect.record(), block, rate, kWarmUpSeconds);
    const Measurement m = run(effect.record(), block, rate, seconds);
    effect.stopProcessing();
    const double audioSeconds = m.frames / rate;
    std::printf("%6d %12lld %10.2f %12.1f\n", block, static_cast<long long>(m.frames),
                m.seconds * 1e9 / m.frames, audioSeconds / m.seconds);
    std::fflush(stdout);
}

} // namespace

int runBench(const std::vector<std::string>& args)
{
    std::vector<std::string> accepted = kParameterOptions;
    accepted.insert(accepted.end(), {"block", "seconds", "rate", "double", "trace"});
    Options options = parseOptions(args, accepted);
    if (options.positional.size() != 1)
        throw ToolError(
            "usage: sferant-host bench MODULE.so [--block N]... [--seconds S] [options]");
    if (options.blocks.empty())
        options.blocks.assign(std::begin(kDefaultBlocks), std::end(kDefaultBlocks));
    const double rate = options.rate > 0 ? options.rate : kDefaultRate;
    const double seconds = options.seconds >= 0 ? options.seconds : kDefaultSeconds;
    if (options.trace) hostSettings().trace = stdout;
    catchStopSignals();

    HostedEffect effect(options.positional[0]);
    applyParameters(effect, options.parameters);
    std::printf("%s: %d in, %d out, %s, %.0f Hz\n", effect.text(effGetEffectName).c_str(),
                effect.record().numInputs, effect.record().numOutputs,
                options.useDouble ? "double" : "float", rate);
    std::printf("%6s %12s %10s %12s\n", "block", "frames", "ns/frame", "x real time");
    for (int block : options.blocks)
    {
        if (stopRequested()) throw ToolError("interrupted");
        benchBlock(effect, block, rate, seconds, options.useDouble);
    }
    return 0;
}
