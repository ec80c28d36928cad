// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the audio path at 48 kHz: nanoseconds per sample frame and the
// real-time factor, for block sizes from 32 to 4096.
#include "core/BlockProcessor.h"
#include "core/FlushDenormals.h"
#include "core/nearfield_filters.h"
#include "core/parameters.h"
#include "host/AudioEffect.h"

#include <benchmark/benchmark.h>

#ifdef SFERANT_BENCH_CLAP
#include "ClapHost.h"
#include "ModuleInstance.h"
#endif
#ifdef SFERANT_BENCH_VST3
#include "plugin/vst3/host_side/Vst3Instance.h"

#include <dlfcn.h>

// The built bundle's binary, loaded once and kept.
v3_plugin_factory** vst3Factory()
{
    static void* const binary = dlopen(SFERANT_VST3_BINARY, RTLD_NOW | RTLD_LOCAL);
    auto get = binary ? reinterpret_cast<void* (*)()>(dlsym(binary, "GetPluginFactory")) : nullptr;
    return get ? static_cast<v3_plugin_factory**>(get()) : nullptr;
}
#endif

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>
#include <xmmintrin.h>

namespace
{

constexpr float kSampleRate = 48000;

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == 1 ? 2400 : 0;
}

// Fifth order, full sphere, stereo input, N3D; near-field compensation on or off.
std::array<float, sferant::kNumParams> settings(bool nearField)
{
    return {0.3f, 0.6f, nearField ? 1.0f : 0.0f, 0.05f, 0.3f, 1.0f, 0.75f, 1.0f, 0.0f};
}

template <class Sample> struct Buffers
{
    explicit Buffers(int frames)
        : in(sferant::kNumInputs, std::vector<Sample>(frames)),
          out(sferant::kNumOutputs, std::vector<Sample>(frames))
    {
        for (int i = 0; i < frames; ++i)
        {
            in[0][i] = static_cast<Sample>(std::sin(i * 0.01));
            in[1][i] = static_cast<Sample>(std::cos(i * 0.013));
        }
        for (int c = 0; c < sferant::kNumInputs; ++c)
            inputs[c] = in[c].data();
        for (int c = 0; c < sferant::kNumOutputs; ++c)
            outputs[c] = out[c].data();
    }

    std::vector<std::vector<Sample>> in, out;
    Sample* inputs[sferant::kNumInputs];
    Sample* outputs[sferant::kNumOutputs];
};

// time_per_frame: CPU time per sample frame; realtime: seconds of audio per
// CPU second (shown as a rate, "1.5k/s" is 1500 times real time).
void reportPerFrame(benchmark::State& state, int frames)
{
    const double total = static_cast<double>(frames) * state.iterations();
    state.counters["time_per_frame"] =
        benchmark::Counter(total, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["realtime"] =
        benchmark::Counter(total / kSampleRate, benchmark::Counter::kIsRate);
}

class Effect
{
  public:
    explicit Effect(bool nearField) : record(createEffectInstance(host)->getAeffect())
    {
        record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, kSampleRate);
        const auto values = settings(nearField);
        for (int i = 0; i < sferant::kNumParams; ++i)
            record->setParameter(record, i, values[i]);
    }
    ~Effect() { record->dispatcher(record, effClose, 0, 0, nullptr, 0); }

    void process(float** in, float** out, int frames)
    {
        record->processReplacing(record, in, out, frames);
    }
    void process(double** in, double** out, int frames)
    {
        record->processDoubleReplacing(record, in, out, frames);
    }

    AEffect* const record;
};

// Arguments: block size, near-field compensation (0 or 1).
template <class Sample> void BM_Process(benchmark::State& state)
{
    const int frames = static_cast<int>(state.range(0));
    Effect effect(state.range(1) != 0);
    Buffers<Sample> buffers(frames);
    for (auto _ : state)
    {
        effect.process(buffers.inputs, buffers.outputs, frames);
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, frames);
}

// A parameter value sweeping 0 to 1 and back, one step per block.
class Sweep
{
  public:
    explicit Sweep(float step) : step(step) {}

    float next()
    {
        if (value + step > 1.0f || value + step < 0.0f) step = -step;
        value += step;
        return value;
    }

  private:
    float step;
    float value = 0.5f;
};

// A moving source: the host sets azimuth and elevation before every block,
// and the distance too with near-field compensation on; the set calls are
// timed with the block.
template <class Sample> void BM_ProcessMoving(benchmark::State& state)
{
    const int frames = static_cast<int>(state.range(0));
    const bool nearField = state.range(1) != 0;
    Effect effect(nearField);
    Buffers<Sample> buffers(frames);
    Sweep azimuth(0.0013f), elevation(0.0007f), distance(0.0011f);
    AEffect* const record = effect.record;
    for (auto _ : state)
    {
        record->setParameter(record, sferant::kAzimuth, azimuth.next());
        record->setParameter(record, sferant::kElevation, elevation.next());
        if (nearField) record->setParameter(record, sferant::kDistance, distance.next());
        effect.process(buffers.inputs, buffers.outputs, frames);
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, frames);
}

// A moving source through the core alone, block 512: argument 0 sets azimuth and elevation
// before every block (the block-rate glide), 32 gives them as points every 32 frames inside
// the block (sample-accurate automation).
void BM_CorePoints(benchmark::State& state)
{
    constexpr int kBlock = 512;
    const int spacing = static_cast<int>(state.range(0));
    sferant::BlockProcessor processor;
    processor.prepare(kSampleRate, kBlock);
    float values[sferant::kNumParams];
    const auto start = settings(false);
    std::copy(start.begin(), start.end(), values);
    processor.setParameters(values);
    Buffers<float> buffers(kBlock);
    auto points = std::make_unique<sferant::ParameterPoints>();
    Sweep azimuth(0.0013f / 16), elevation(0.0007f / 16);
    for (auto _ : state)
    {
        points->clear();
        for (int at = spacing - 1; spacing && at < kBlock; at += spacing)
        {
            points->add(at, sferant::kAzimuth, azimuth.next());
            points->add(at, sferant::kElevation, elevation.next());
        }
        if (spacing)
            processor.process(buffers.inputs, buffers.outputs, kBlock, *points);
        else
        {
            // The same sweep, one value per block.
            for (int step = 0; step < kBlock / 32; ++step)
            {
                values[sferant::kAzimuth] = azimuth.next();
                values[sferant::kElevation] = elevation.next();
            }
            processor.setParameters(values);
            processor.process(buffers.inputs, buffers.outputs, kBlock);
        }
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, kBlock);
}

#ifdef SFERANT_BENCH_CLAP
// A still source through the built modules as hosts load them, block 512, near-field
// compensation on: argument 0 the VST 2.4 module, 1 Sferant.clap, 2 Sferant.vst3.
void BM_StillThroughModule(benchmark::State& state)
{
    constexpr int kBlock = 512;
    const auto values = settings(true);
    Buffers<float> buffers(kBlock);
    const auto run = [&](auto& instance)
    {
        for (auto _ : state)
        {
            instance.process(buffers.inputs, buffers.outputs, kBlock);
            benchmark::ClobberMemory();
        }
    };
    if (state.range(0) == 0)
    {
        sferant_test::ModuleInstance vst;
        vst.start(kSampleRate, kBlock);
        for (int i = 0; i < sferant::kNumParams; ++i)
            vst.set(i, values[i]);
        run(vst);
    }
#ifdef SFERANT_BENCH_VST3
    else if (state.range(0) == 2)
    {
        struct
        {
            sferant::vst3::Vst3Instance instance{vst3Factory(), 0};
            std::vector<sferant::vst3::HostPoint> points;
            void process(float** in, float** out, int frames)
            {
                instance.process(in, 2, out, 36, frames, points);
                points.clear();
            }
        } vst3;
        for (int i = 0; i < sferant::kNumParams; ++i)
            vst3.points.push_back({0, i, values[i]});
        vst3.instance.start(kSampleRate, kBlock, false);
        run(vst3);
    }
#endif
    else
    {
        sferant_test::ClapInstance clap("org.sferant.encoder");
        sferant_test::Events events;
        for (int i = 0; i < sferant::kNumParams; ++i)
            events.value(0, i, sferant::userValue(i, values[i]));
        clap.flush(events);
        clap.activate(kSampleRate, kBlock);
        run(clap);
    }
    reportPerFrame(state, kBlock);
}
#endif

// Silent input while the near-field filters ring out from a denormal state:
// argument 1 runs them with flush-to-zero and denormals-are-zero (as the
// processor does), 0 with both cleared.
void BM_DenormalTail(benchmark::State& state)
{
    const bool flush = state.range(0) != 0;
    sferant::NearFieldDesign design;
    sferant::designDenominators(design, kSampleRate);
    sferant::designNumerators(design, kSampleRate, 0.6);
    auto signals = std::make_unique<sferant::SourceSignals>();
    sferant::FilterState filters{};
    const unsigned hostMode = _mm_getcsr();
    _mm_setcsr(hostMode & ~(sferant::FlushDenormals::kFlushToZero |
                            sferant::FlushDenormals::kDenormalsAreZero));
    for (auto _ : state)
    {
        std::fill(std::begin(filters.nfcStateL), std::end(filters.nfcStateL), 1e-310);
        std::fill(std::begin(filters.nfcStateR), std::end(filters.nfcStateR), -1e-310);
        std::fill(std::begin(signals->left[0]), std::end(signals->left[0]), 0.0);
        std::fill(std::begin(signals->right[0]), std::end(signals->right[0]), 0.0);
        if (flush)
        {
            sferant::FlushDenormals mode;
            sferant::runNearFieldFilters(design, sferant::kMaxOrder, filters, *signals, 0,
                                         sferant::kChunkFrames);
        }
        else
        {
            sferant::runNearFieldFilters(design, sferant::kMaxOrder, filters, *signals, 0,
                                         sferant::kChunkFrames);
        }
        benchmark::ClobberMemory();
    }
    _mm_setcsr(hostMode);
    reportPerFrame(state, sferant::kChunkFrames);
}

void blockSizes(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"block", "nfc"});
    for (int nfc : {0, 1})
        for (int frames : {32, 64, 512, 4096})
            b->Args({frames, nfc});
}

} // namespace

BENCHMARK_TEMPLATE(BM_Process, float)->Apply(blockSizes);
BENCHMARK_TEMPLATE(BM_Process, double)->Apply(blockSizes);
BENCHMARK_TEMPLATE(BM_ProcessMoving, float)->Apply(blockSizes);
BENCHMARK(BM_CorePoints)->ArgName("points_every")->Arg(0)->Arg(32);
#ifdef SFERANT_BENCH_CLAP
BENCHMARK(BM_StillThroughModule)
    ->ArgName("format")
    ->Arg(0)
    ->Arg(1)
#ifdef SFERANT_BENCH_VST3
    ->Arg(2)
#endif
    ;
#endif
BENCHMARK(BM_DenormalTail)->ArgName("flush")->Arg(1)->Arg(0);

BENCHMARK_MAIN();
