// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <unistd.h>

#include "core/parameters.h"
#include "tools/ambix_writer.h"
#include "tools/channel_buffers.h"
#include "tools/commands.h"
#include "plugin/hosting/LoadedPlugin.h"
#include "tools/map_writer.h"
#include "tools/options.h"
#include "tools/output_layout.h"
#include "tools/sound_io.h"
#include "tools/stop_signal.h"
#include "tools/tool_error.h"

namespace
{

constexpr int kDefaultBlock = 512;
constexpr double kDefaultRate = 48000.0;
constexpr double kProgressMinSeconds = 5.0; // shorter renders finish before a bar is worth it

using Clock = std::chrono::steady_clock;

struct RenderResult
{
    int64_t frames = 0;
    std::vector<double> peaks;
    double moduleSeconds = 0.0;
};

// A one-line bar on stderr, redrawn when the percentage moves.
class Progress
{
  public:
    Progress(int64_t total, double seconds)
        : fTotal(total), fShown(isatty(STDERR_FILENO) && seconds >= kProgressMinSeconds)
    {
    }
    ~Progress()
    {
        if (fShown && fLast >= 0) std::fprintf(stderr, "\n");
    }
    void update(int64_t done)
    {
        const int percent = fTotal > 0 ? static_cast<int>(100 * done / fTotal) : 100;
        if (!fShown || percent == fLast) return;
        fLast = percent;
        std::fprintf(stderr, "\r[%-40s] %3d%%", std::string(percent * 40 / 100, '#').c_str(),
                     percent);
    }

  private:
    int64_t fTotal;
    bool fShown;
    int fLast = -1;
};

bool isStereoRequested(const Options& options)
{
    for (const ParameterSetting& setting : options.parameters)
        if (setting.option == "--stereo") return true;
    return false;
}

// A 2-channel input switches an encoder with an "Input" parameter to stereo, unless the user
// says otherwise later on the command line.
void selectStereoFor(LoadedPlugin& effect, const AudioSource& source)
{
    const int input = effect.findParameter("Input");
    if (source.channels() == 2 && input >= 0) effect.setParameter(input, 1.0f);
}

// --azimuth-sweep: before every block the host sets the azimuth of the block's first frame,
// on a straight line from START at the first frame to END after the last, as automation does.
class Sweep
{
  public:
    Sweep(LoadedPlugin& effect, const AzimuthSweep& sweep, int64_t frames)
        : effect(effect), sweep(sweep), frames(std::max<int64_t>(frames, 1)),
          index(sweep.given ? effect.findParameter("Azimuth") : -1)
    {
        if (sweep.given && index < 0)
            throw ToolError("--azimuth-sweep: the module has no parameter named \"Azimuth\"");
    }

    // The points of the block from `frame`: one at its first frame unless --points-every
    // asks for more.
    const std::vector<ParameterPoint>& points(int64_t frame, int blockFrames)
    {
        fPoints.clear();
        if (!sweep.given) return fPoints;
        const int every = sweep.every > 0 ? sweep.every : blockFrames;
        for (int at = 0; at < blockFrames; at += every)
        {
            const double within = degrees(frame + at);
            fPoints.push_back(
                {at, index, sferant::normalisedValue(sferant::kAzimuth, within), within});
        }
        return fPoints;
    }

  private:
    LoadedPlugin& effect;
    AzimuthSweep sweep;
    // The azimuth at a frame, within -180 .. 180: the parameter's range, a whole turn.
    double degrees(int64_t frame) const
    {
        const double d = sweep.from + (sweep.to - sweep.from) * double(frame) / frames;
        return d - 360 * std::floor((d + 180) / 360);
    }

    int64_t frames;
    int index;
    std::vector<ParameterPoint> fPoints;
};

template <typename Sample>
RenderResult process(LoadedPlugin& effect, AudioSource& source, SoundWriter& writer, MapWriter* map,
                     const std::vector<int>& sources, int block, Sweep& sweep)
{
    const size_t channels = sources.size();
    ChannelBuffers<Sample> in(effect.numInputs(), block), out(effect.numOutputs(), block);
    std::vector<Sample> interleavedIn(static_cast<size_t>(source.channels()) * block);
    std::vector<Sample> interleavedOut(channels * block);
    RenderResult result;
    result.peaks.assign(channels, 0.0);
    Progress progress(source.frames(), source.frames() / source.sampleRate());
    in.clear();
    for (;;)
    {
        const int64_t n = source.read(interleavedIn.data(), block);
        if (n <= 0) break;
        if (stopRequested()) throw ToolError("interrupted");
        in.deinterleave(interleavedIn.data(), source.channels(), n);
        const std::vector<ParameterPoint>& points = sweep.points(result.frames, int(n));
        const Clock::time_point start = Clock::now();
        effect.process(in.pointers(), out.pointers(), static_cast<int>(n), points);
        result.moduleSeconds += std::chrono::duration<double>(Clock::now() - start).count();
        out.interleave(interleavedOut.data(), n, sources);
        for (size_t i = 0; i < static_cast<size_t>(n) * channels; ++i)
        {
            double& peak = result.peaks[i % channels];
            peak = std::max(peak, std::fabs(static_cast<double>(interleavedOut[i])));
        }
        writer.write(interleavedOut.data(), n);
        if (map) map->add(interleavedOut.data(), n);
        result.frames += n;
        progress.update(result.frames);
    }
    return result;
}

// The format's own weight goes first, so that a different one asked for is seen and refused.
void askForTheFormatsWeight(Options& options, const OutputRequest& request)
{
    const std::string weight = requiredWeight(request);
    if (!weight.empty())
        options.parameters.insert(options.parameters.begin(),
                                  weightSetting(weight, askedBy(request)));
}

std::unique_ptr<SoundWriter> openWriter(const OutputRequest& request, int channels, double rate,
                                        const std::string& subtype)
{
    if (request.format == OutputRequest::Format::Ambix)
        return std::make_unique<AmbixWriter>(request.path, channels, rate, subtype);
    return std::make_unique<SoundFileWriter>(request.path, channels, rate, subtype);
}

void printSummary(const RenderResult& result, const AudioSource& source, const std::string& out,
                  const std::string& format, double wallSeconds)
{
    const double seconds = result.frames / source.sampleRate();
    std::printf("rendered %lld frames (%.3f s at %.0f Hz), %d in, %zu out, to %s as %s\n",
                static_cast<long long>(result.frames), seconds, source.sampleRate(),
                source.channels(), result.peaks.size(), out.c_str(), format.c_str());
    std::printf("%7s  %9s  %11s\n", "channel", "peak dBFS", "peak linear");
    for (size_t c = 0; c < result.peaks.size(); ++c)
    {
        const double peak = result.peaks[c];
        if (peak > 0.0)
            std::printf("%7zu  %9.2f  %11.6f\n", c + 1, 20.0 * std::log10(peak), peak);
        else
            std::printf("%7zu  %9s  %11.6f\n", c + 1, "-inf", peak);
    }
    std::printf("wall time %.3f s, in the module %.3f s, %.1fx real time\n", wallSeconds,
                result.moduleSeconds,
                result.moduleSeconds > 0 ? seconds / result.moduleSeconds : 0.0);
}

} // namespace

int runRender(const std::vector<std::string>& args)
{
    std::vector<std::string> accepted = kParameterOptions;
    accepted.insert(accepted.end(), {"block", "rate", "double", "subtype", "demo", "trace", "ambix",
                                     "acn", "map", "azimuth-sweep", "points-every"});
    Options options = parseOptions(args, accepted);
    if (options.demo)
        options.positional.insert(
            options.positional.begin() + std::min<size_t>(1, options.positional.size()), "demo");
    if (options.positional.size() != 3)
        throw ToolError("usage: sferant-host render MODULE.so IN OUT [options] (IN may be 'demo')");
    const std::string& in = options.positional[1];
    const std::string& out = options.positional[2];
    if (options.rate > 0 && in != "demo")
        throw ToolError("--rate applies to the generated input only; " + in + " has its own rate");
    const OutputRequest request = requestOutput(out, options.ambix, options.acn, options.map);
    askForTheFormatsWeight(options, request);
    const int block = options.blocks.empty() ? kDefaultBlock : options.blocks.back();
    catchStopSignals();

    const std::unique_ptr<LoadedPlugin> plugin = loadModule(options);
    LoadedPlugin& effect = *plugin;
    std::unique_ptr<AudioSource> source = openSource(
        in, options.rate > 0 ? options.rate : kDefaultRate, isStereoRequested(options) ? 2 : 1);
    if (source->channels() > effect.numInputs())
        throw ToolError(in + " has " + std::to_string(source->channels()) +
                        " channels, the module takes " + std::to_string(effect.numInputs()));
    selectStereoFor(effect, *source);
    applyParameters(effect, options.parameters);
    Sweep sweep(effect, options.azimuthSweep, source->frames());
    const OutputLayout layout = layOutOutput(request, effect);
    const std::unique_ptr<SoundWriter> writer = openWriter(
        request, static_cast<int>(layout.sources.size()), source->sampleRate(), options.subtype);
    std::unique_ptr<MapWriter> map;
    if (!request.mapPath.empty())
        map = std::make_unique<MapWriter>(request.mapPath, *layout.field,
                                          static_cast<int>(layout.sources.size()));

    const Clock::time_point start = Clock::now();
    effect.startProcessing(static_cast<float>(source->sampleRate()), block, options.useDouble);
    const RenderResult result =
        options.useDouble
            ? process<double>(effect, *source, *writer, map.get(), layout.sources, block, sweep)
            : process<float>(effect, *source, *writer, map.get(), layout.sources, block, sweep);
    effect.stopProcessing();
    if (map) map->finish();
    writer->commit();
    if (map) map->commit();
    printSummary(result, *source, out, layout.description,
                 std::chrono::duration<double>(Clock::now() - start).count());
    if (map) map->printSummary();
    return 0;
}
