// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter values of any kind (out of range, NaN, infinities, denormals)
// interleaved with blocks of samples of any kind and any size up to the
// announced maximum, in both precisions.
//
// Invariant: after one whole block with every parameter in 0..1 and every
// input finite and sane, the outputs of the next such block are all finite.
// "Sane" means |x| <= 1e3: with the near-field filters at 0.1 m the gain
// reaches 20^5 * 20 (about 6.4e7), so much larger finite inputs may overflow
// a float output legitimately, and the filters keep such a value in their
// state for a while. Once an input beyond that has been seen the run is only
// checked for crashes.
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "HostedEffect.h"

#include <cmath>
#include <limits>

namespace fuzz
{

using namespace sferant_test;

namespace
{

constexpr int kMaxBlock = 2048;
constexpr double kSaneLimit = 1e3;

float anyParameterValue(FuzzInput& in)
{
    constexpr float kNotable[] = {0.0f,
                                  1.0f,
                                  0.25f,
                                  0.5f,
                                  0.75f,
                                  -0.0f,
                                  -1.0f,
                                  2.0f,
                                  1e-40f,
                                  1.00000012f, // the float just above 1
                                  std::numeric_limits<float>::quiet_NaN(),
                                  std::numeric_limits<float>::infinity(),
                                  -std::numeric_limits<float>::infinity(),
                                  std::numeric_limits<float>::max()};
    constexpr int kCount = sizeof kNotable / sizeof kNotable[0];
    const uint8_t choice = in.byte();
    if (choice < kCount) return kNotable[choice];
    if (choice == 0xFF) return in.raw<float>();
    return (choice - kCount) / static_cast<float>(0xFE - kCount); // within 0..1
}

// One sample: mostly a sane value, sometimes a special one.
template <class Sample> Sample anySample(FuzzInput& in)
{
    const uint8_t choice = in.byte();
    if (choice < 0xF0) return static_cast<Sample>((choice - 120) / 12.0);
    switch (choice)
    {
    case 0xF0:
        return std::numeric_limits<Sample>::quiet_NaN();
    case 0xF1:
        return std::numeric_limits<Sample>::infinity();
    case 0xF2:
        return -std::numeric_limits<Sample>::infinity();
    case 0xF3:
        return std::numeric_limits<Sample>::denorm_min();
    case 0xF4:
        return -std::numeric_limits<Sample>::min() / 2;
    case 0xF5:
        return static_cast<Sample>(kSaneLimit);
    case 0xF6:
        return static_cast<Sample>(-kSaneLimit);
    case 0xF7:
        return std::numeric_limits<Sample>::max();
    case 0xF8:
        return static_cast<Sample>(1e30);
    default:
        return static_cast<Sample>(in.raw<float>());
    }
}

bool sane(double x)
{
    return std::isfinite(x) && std::fabs(x) <= kSaneLimit;
}

class Session
{
  public:
    explicit Session(FuzzInput& in) : in(in)
    {
        constexpr float kRates[] = {8000, 22050, 44100, 48000, 96000, 192000, 384000};
        maxBlock = 1 + in.raw<uint16_t>() % kMaxBlock;
        effect.dispatch(effOpen);
        const float rate = kRates[in.byte() % 7];
        effect.start(rate, maxBlock);
        for (float& v : lastSet)
            v = 0.5f;
    }

    void run()
    {
        while (!in.empty())
        {
            if (in.byte() % 2)
                setParameter();
            else if (in.byte() % 2)
                processBlock<float>();
            else
                processBlock<double>();
        }
    }

  private:
    void setParameter()
    {
        const VstInt32 index = in.byte() % 10; // 9 is out of range
        const float value = anyParameterValue(in);
        effect.set(index, value);
        if (index < sferant::kNumParams) lastSet[index] = value;
    }

    bool parametersInRange() const
    {
        for (float v : lastSet)
            if (!(v >= 0.0f && v <= 1.0f)) return false;
        return true;
    }

    // The input repeats a pattern of up to 64 samples per channel.
    template <class Sample> bool fillInputs(Channels<Sample>& channels, int frames)
    {
        bool allSane = true;
        for (int c = 0; c < kInputs; ++c)
        {
            Sample pattern[64];
            const int length = 1 + in.byte() % 64;
            for (int i = 0; i < length; ++i)
            {
                pattern[i] = anySample<Sample>(in);
                if (i < frames) allSane = allSane && sane(pattern[i]);
                tooLoud = tooLoud || (std::isfinite(pattern[i]) && !sane(pattern[i]));
            }
            for (int i = 0; i < frames; ++i)
                channels.inputs[c][i] = pattern[i % length];
        }
        return allSane;
    }

    template <class Sample> void processBlock()
    {
        const int frames = in.raw<uint16_t>() % (maxBlock + 1);
        Channels<Sample> channels(frames);
        const bool clean = fillInputs(channels, frames) && parametersInRange();
        effect.process(channels, frames);
        if (clean && previousClean && !tooLoud)
            for (int c = 0; c < kOutputs; ++c)
                for (int i = 0; i < frames; ++i)
                    check(std::isfinite(channels.outputs[c][i]),
                          "a clean block after a clean block gave a non-finite output");
        if (frames > 0) previousClean = clean;
    }

    FuzzInput& in;
    HostedEffect effect;
    int maxBlock = 1;
    float lastSet[sferant::kNumParams];
    bool previousClean = false;
    bool tooLoud = false;
};

} // namespace

void processTarget(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    Session(in).run();
}

} // namespace fuzz
