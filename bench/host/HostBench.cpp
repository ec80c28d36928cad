// SPDX-License-Identifier: GPL-3.0-or-later
// Costs of the host interface itself: the display converter a host calls for
// every parameter read-out, and the dispatch of opcodes and process calls
// through the record.
#include <benchmark/benchmark.h>

#include "host/AudioEffectX.h"

namespace
{
// Passes audio straight through, so that what is measured is the way in.
class PassThrough : public AudioEffectX
{
  public:
    PassThrough() : AudioEffectX(nullptr, 1, 1) {}
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override
    {
        benchmark::DoNotOptimize(inputs[0][sampleFrames - 1]);
        benchmark::DoNotOptimize(outputs);
    }
    void getParameterDisplay(VstInt32, char* text) override { float2string(45.3f, text, 8); }
};

void floatToString(benchmark::State& state)
{
    PassThrough effect;
    char text[9];
    float value = -180.f;
    for (auto _ : state)
    {
        effect.float2string(value, text, 8);
        benchmark::DoNotOptimize(text);
        value = value < 180.f ? value + 0.37f : -180.f;
    }
}
BENCHMARK(floatToString);

void parameterDisplayThroughTheRecord(benchmark::State& state)
{
    PassThrough effect;
    AEffect* record = effect.getAeffect();
    char text[9];
    for (auto _ : state)
    {
        record->dispatcher(record, effGetParamDisplay, 0, 0, text, 0.f);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(parameterDisplayThroughTheRecord);

void processCallThroughTheRecord(benchmark::State& state)
{
    PassThrough effect;
    AEffect* record = effect.getAeffect();
    float samples[64] = {};
    float* channels[] = {samples, samples};
    for (auto _ : state)
        record->processReplacing(record, channels, channels, 64);
}
BENCHMARK(processCallThroughTheRecord);
} // namespace

BENCHMARK_MAIN();
