// SPDX-License-Identifier: GPL-3.0-or-later
// The core's restructured audio path against the literal per-sample
// algorithm, on random settings, block sizes and signals. The literal algorithm
// takes new values as a step, as the encoder does in the first block after a
// resume: the tests resume the encoder before each block with new values.
#include "CoreEncoder.h"
#include "LiteralEncoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <type_traits>

using namespace sferant_test;

namespace
{

constexpr double kTolerance = 1e-12;

class Scenario
{
  public:
    explicit Scenario(unsigned seed) : random(seed) {}

    // Switches take their real positions most of the time, any value sometimes.
    // Each parameter gets a new value with probability `share`.
    void randomiseParameters(double share = 1.0)
    {
        for (int i = 0; i < sferant::kNumParams; ++i)
            if (coin(share))
                values[i] = sferant::kParameters[i].positions && coin(0.8) ? switchPosition(i)
                                                                           : uniform(0.0f, 1.0f);
    }

    void apply(CoreEncoder& effect, LiteralEncoder& literal) const
    {
        effect.resume();
        for (int i = 0; i < sferant::kNumParams; ++i)
            effect.set(i, values[i]);
        float* fields[sferant::kNumParams] = {
            &literal.fAzimuth,  &literal.fElevation, &literal.fNFC,
            &literal.fDistance, &literal.fWidth,     &literal.fOrder,
            &literal.fWeight,   &literal.fInput,     &literal.fOutput};
        for (int i = 0; i < sferant::kNumParams; ++i)
            *fields[i] = values[i];
    }

    float sampleRate()
    {
        const float rates[] = {44100, 48000, 96000, 192000};
        return rates[std::uniform_int_distribution<int>(0, 3)(random)];
    }

    int blockSize() { return std::uniform_int_distribution<int>(1, 700)(random); }

    template <class Sample> void fillInputs(Channels<Sample>& channels)
    {
        for (auto& channel : channels.in)
            for (auto& s : channel)
                s = static_cast<Sample>(uniform(-1.0f, 1.0f));
    }

    bool coin(double p) { return std::bernoulli_distribution(p)(random); }

    float values[sferant::kNumParams] = {};

  private:
    float switchPosition(int i)
    {
        const int steps = sferant::kParameters[i].positions - 1;
        return std::uniform_int_distribution<int>(0, steps)(random) / static_cast<float>(steps);
    }

    float uniform(float low, float high)
    {
        return std::uniform_real_distribution<float>(low, high)(random);
    }

    std::mt19937 random;
};

template <class Sample> double peakOf(const Channels<Sample>& channels, int count)
{
    double peak = 0;
    for (int c = 0; c < count; ++c)
        for (Sample s : channels.out[c])
            peak = std::max(peak, std::fabs(static_cast<double>(s)));
    return peak;
}

// Errors are measured against the block's peak: the effect may round its
// gains differently in the last bits, and a sample near zero (or one where the
// two sources cancel) carries the rounding of the larger terms it is summed
// from. A single-precision output may round to the neighbouring float.
template <class Sample> bool closeEnough(Sample effect, Sample literal, double peak)
{
    double slack = kTolerance * peak;
    if constexpr (std::is_same_v<Sample, float>)
        slack += std::nextafter(std::fabs(literal), INFINITY) - std::fabs(literal);
    return std::fabs(static_cast<double>(effect) - literal) <= slack;
}

template <class Sample>
void expectSameOutputs(const Channels<Sample>& effect, const Channels<Sample>& literal,
                       bool horizontal, const std::string& where)
{
    const int channels = horizontal ? 11 : 36;
    const double peak = peakOf(literal, channels);
    for (int c = 0; c < channels; ++c)
        for (size_t i = 0; i < effect.out[c].size(); ++i)
            if (!closeEnough(effect.out[c][i], literal.out[c][i], peak))
            {
                ADD_FAILURE() << where << " channel " << c << " frame " << i << ": "
                              << effect.out[c][i] << " vs " << literal.out[c][i] << " (peak "
                              << peak << ")";
                return;
            }
}

template <class Sample>
void runBlock(Scenario& scenario, CoreEncoder& effect, LiteralEncoder& literal,
              const std::string& where)
{
    const int frames = scenario.blockSize();
    Channels<Sample> forEffect(frames), forLiteral(frames);
    scenario.fillInputs(forEffect);
    forLiteral.in = forEffect.in;
    effect.process(forEffect.inputs, forEffect.outputs, frames);
    literal.process(forLiteral.inputs, forLiteral.outputs, frames);
    expectSameOutputs(forEffect, forLiteral, std::floor(literal.fOutput) == 1, where);
}

void runBlockInEitherPrecision(Scenario& scenario, CoreEncoder& effect, LiteralEncoder& literal,
                               const std::string& where)
{
    if (scenario.coin(0.5))
        runBlock<float>(scenario, effect, literal, where + " (float)");
    else
        runBlock<double>(scenario, effect, literal, where + " (double)");
}

} // namespace

TEST(ReferenceEquivalence, RandomSettingsMatchTheLiteralAlgorithmInBothPrecisions)
{
    for (unsigned seed = 1; seed <= 60; ++seed)
    {
        Scenario scenario(seed);
        CoreEncoder effect;
        LiteralEncoder literal;
        const float rate = scenario.sampleRate();
        effect.start(rate, 1024);
        literal.sampleRate = rate;
        for (int block = 0; block < 8; ++block)
        {
            if (block == 0 || scenario.coin(0.5))
            {
                scenario.randomiseParameters();
                scenario.apply(effect, literal);
            }
            runBlockInEitherPrecision(scenario, effect, literal,
                                      "seed " + std::to_string(seed) + " block " +
                                          std::to_string(block));
        }
    }
}

TEST(ReferenceEquivalence, NearFieldOnEveryOrderAndModeMatchesTheLiteralAlgorithm)
{
    const float orders[] = {0, 0.25f, 0.5f, 0.75f, 1};
    for (float output : {0.0f, 1.0f})
        for (float order : orders)
            for (float input : {0.0f, 1.0f})
            {
                Scenario scenario(static_cast<unsigned>(order * 8 + output * 2 + input));
                CoreEncoder effect;
                LiteralEncoder literal;
                scenario.randomiseParameters();
                scenario.values[2] = 1; // near-field compensation on
                scenario.values[5] = order;
                scenario.values[7] = input;
                scenario.values[8] = output;
                scenario.apply(effect, literal);
                for (int block = 0; block < 4; ++block)
                {
                    runBlock<double>(scenario, effect, literal, "double");
                    runBlock<float>(scenario, effect, literal, "float");
                }
            }
}

TEST(ReferenceEquivalence, ParametersAndSampleRateChangingBetweenBlocksMatchTheLiteralAlgorithm)
{
    for (unsigned seed = 1; seed <= 40; ++seed)
    {
        Scenario scenario(seed);
        CoreEncoder effect;
        LiteralEncoder literal;
        scenario.randomiseParameters();
        scenario.values[2] = seed % 2; // near-field compensation on for odd seeds
        for (int block = 0; block < 10; ++block)
        {
            if (block == 0 || scenario.coin(0.2))
            {
                const float rate = scenario.sampleRate();
                effect.start(rate, 1024);
                literal.sampleRate = rate;
            }
            if (block > 0) scenario.randomiseParameters(0.25);
            scenario.apply(effect, literal);
            runBlockInEitherPrecision(scenario, effect, literal,
                                      "seed " + std::to_string(seed) + " block " +
                                          std::to_string(block));
        }
    }
}
