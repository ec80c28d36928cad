// SPDX-License-Identifier: GPL-3.0-or-later
// How a block with new values gets there: a moving source glides from where the previous
// block left it and arrives at the block's last frame; a switch crossfades the old settings'
// output into the new one's; after a pause or a new rate the block starts at its values.
#include "CoreEncoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace sferant_test;

namespace
{

using Values = std::array<float, sferant::kNumParams>;
using Outputs = std::vector<std::vector<double>>;

constexpr double kRate = 48000;

float azimuthValue(double degrees)
{
    return sferant::normalisedValue(sferant::kAzimuth, degrees);
}

// Fifth order, stereo, N3D, an ordinary direction and width, 1 m.
Values ordinarySettings()
{
    using sferant::normalisedValue;
    return {azimuthValue(30),
            normalisedValue(sferant::kElevation, 20),
            0,
            normalisedValue(sferant::kDistance, 1),
            normalisedValue(sferant::kWidth, 40),
            1,
            0.75f,
            1,
            0};
}

// Two tones per input, from 1 to 3 kHz: steps from one frame to the next that are those of
// music, small enough that a step at a switch shows (as white noise's would not), and no
// low tone that near-field compensation lifts (whose amplitude over 64 frames is more
// than its own steps).
double tones(unsigned channel, long frame)
{
    const double t = 2 * M_PI * static_cast<double>(frame) / kRate;
    return channel == 0 ? 0.5 * std::sin(1000 * t) + 0.3 * std::sin(2700 * t + 1)
                        : 0.4 * std::sin(1300 * t + 2) + 0.4 * std::sin(2100 * t);
}

enum class Signal
{
    kTest,   // fillSignal's
    kMiddle, // tones()
};

// A processor fed block after block of a stereo test signal; the outputs pile up.
class Render
{
  public:
    explicit Render(double rate = kRate, Signal signal = Signal::kTest)
        : processor(std::make_unique<sferant::BlockProcessor>()), signal(signal)
    {
        processor->prepare(rate, 4096);
        outputs.assign(kOutputs, {});
    }

    // One block at these values; skipGlide: the block starts at them.
    void block(const Values& values, int frames, bool skipGlide = false)
    {
        Channels<double> channels(frames);
        fillSignal(channels.in[0], 3, at);
        fillSignal(channels.in[1], 4, at);
        if (signal == Signal::kMiddle)
            for (unsigned c = 0; c < kInputs; ++c)
                for (int i = 0; i < frames; ++i)
                    channels.in[c][i] = tones(c, at + i);
        float v[sferant::kNumParams];
        std::copy(values.begin(), values.end(), v);
        processor->setParameters(v);
        if (skipGlide) processor->skipNextGlide();
        processor->process(channels.inputs, channels.outputs, frames);
        for (int c = 0; c < kOutputs; ++c)
            outputs[c].insert(outputs[c].end(), channels.out[c].begin(),
                              channels.out[c].begin() + frames);
        at += frames;
    }

    std::unique_ptr<sferant::BlockProcessor> processor;
    Signal signal;
    Outputs outputs;
    long at = 0;
};

// A constant mono input of 1 encoded at first order, SN3D: the outputs are the gains.
Values firstOrderMono(double azimuthDegrees)
{
    return {azimuthValue(azimuthDegrees), 0.5f, 0, 1, 0, 0, 0.5f, 0, 0};
}

Outputs gainsOfBlocks(const std::vector<Values>& blocks, int frames)
{
    sferant::BlockProcessor processor;
    processor.prepare(kRate, frames);
    Outputs outputs(kOutputs);
    Channels<double> channels(frames);
    std::fill(channels.in[0].begin(), channels.in[0].end(), 1.0);
    for (const Values& values : blocks)
    {
        float v[sferant::kNumParams];
        std::copy(values.begin(), values.end(), v);
        processor.setParameters(v);
        processor.process(channels.inputs, channels.outputs, frames);
        for (int c = 0; c < kOutputs; ++c)
            outputs[c].insert(outputs[c].end(), channels.out[c].begin(), channels.out[c].end());
    }
    return outputs;
}

// The largest step from one frame to the next among frames from .. to - 1.
double largestStep(const std::vector<double>& channel, size_t from = 0, size_t to = SIZE_MAX)
{
    double largest = 0;
    for (size_t i = std::max<size_t>(from, 1); i < std::min(to, channel.size()); ++i)
        largest = std::max(largest, std::fabs(channel[i] - channel[i - 1]));
    return largest;
}

} // namespace

TEST(Glide, AzimuthGoesTheShortWayRound)
{
    constexpr int kFrames = 64;
    const Outputs gains = gainsOfBlocks({firstOrderMono(179), firstOrderMono(-179)}, kFrames);
    // X is cos(azimuth): through 180 degrees it stays near -1; the long way would pass +1.
    for (int i = kFrames; i < 2 * kFrames; ++i)
        ASSERT_LT(gains[1][i], -0.999) << "frame " << i - kFrames;
    EXPECT_NEAR(gains[1][kFrames + kFrames / 2 - 1], -1.0, 1e-12) << "halfway: 180 degrees";
    EXPECT_NEAR(gains[2][kFrames + kFrames / 2 - 1], 0.0, 1e-6);
}

// Exact at the end of every 32 frames and at the block's last frame, linear between.
TEST(Glide, ADirectionGlidesLinearlyAndArrivesAtTheBlocksLastFrame)
{
    constexpr int kFrames = 100; // three whole steps of 32 frames and a shorter one
    const Outputs gains = gainsOfBlocks({firstOrderMono(0), firstOrderMono(60)}, kFrames);
    const Outputs there = gainsOfBlocks({firstOrderMono(60)}, kFrames);
    const double end = sferant::processingValue(sferant::kAzimuth, azimuthValue(60));
    const auto y = [&](int frames) { return std::sin(end * frames / kFrames); };
    for (int i = 0, stepStart = 0; i < kFrames; ++i)
    {
        const int stepEnd = std::min(stepStart + 32, kFrames);
        const double share = static_cast<double>(i + 1 - stepStart) / (stepEnd - stepStart);
        ASSERT_NEAR(gains[2][kFrames + i], y(stepStart) + (y(stepEnd) - y(stepStart)) * share,
                    1e-12)
            << "Y at frame " << i;
        if (i + 1 == stepEnd) stepStart = stepEnd;
    }
    EXPECT_NEAR(gains[2][2 * kFrames - 1], there[2][0], 1e-15) << "the last frame is there";
}

TEST(Glide, AfterAGlideAStillSourceIsEncodedAsIfItHadAlwaysStoodThere)
{
    Render moved, still;
    Values start = ordinarySettings(), end = ordinarySettings();
    start[sferant::kAzimuth] = azimuthValue(-70);
    end[sferant::kElevation] = 0.3f;
    moved.block(start, 300);
    moved.block(end, 300);
    still.block(end, 300);
    still.block(end, 300);
    moved.block(end, 300);
    still.block(end, 300);
    for (int c = 0; c < kOutputs; ++c)
        ASSERT_TRUE(std::equal(moved.outputs[c].begin() + 600, moved.outputs[c].end(),
                               still.outputs[c].begin() + 600))
            << "output " << c;
}

// A resume and a new sample rate: the block after starts at its values,
// as a fresh instance does.
TEST(Glide, AfterAResumeOrANewRateTheBlockStartsAtItsValues)
{
    const Values near = firstOrderMono(30), far = firstOrderMono(120);
    const struct
    {
        const char* what;
        std::function<void(CoreEncoder&)> pause;
    } pauses[] = {
        {"resume", [](CoreEncoder& e) { e.resume(); }},
        {"a new sample rate", [](CoreEncoder& e) { e.start(96000, 64); }},
    };
    for (const auto& pause : pauses)
    {
        CoreEncoder paused, fresh;
        paused.start(48000, 64);
        fresh.start(48000, 64);
        Channels<double> a(64), b(64);
        std::fill(a.in[0].begin(), a.in[0].end(), 1.0);
        b.in = a.in;
        for (int i = 0; i < sferant::kNumParams; ++i)
            paused.set(i, near[i]);
        paused.process(a, 64);
        pause.pause(paused);
        pause.pause(fresh);
        for (int i = 0; i < sferant::kNumParams; ++i)
        {
            paused.set(i, far[i]);
            fresh.set(i, far[i]);
        }
        paused.process(a, 64);
        fresh.process(b, 64);
        EXPECT_EQ(a.out, b.out) << pause.what;
    }
}

// The filters are stable at every distance in range, and stay so while their coefficients
// step along a glide: here across the whole range and back, a block each way.
TEST(Glide, NearFieldFiltersStayBoundedWhileTheDistanceSweepsTheWholeRange)
{
    constexpr int kFrames = 4096;
    Values close = ordinarySettings(), far = ordinarySettings();
    close[sferant::kNFC] = far[sferant::kNFC] = 1;
    close[sferant::kDistance] = 0;
    far[sferant::kDistance] = 1;
    Render swept(192000), still(192000);
    for (const Values& values : {close, far, close, close})
        swept.block(values, kFrames);
    for (int block = 0; block < 4; ++block)
        still.block(close, kFrames);
    for (int c = 0; c < kOutputs; ++c)
    {
        double sweptPeak = 0, stillPeak = 0;
        for (size_t i = 0; i < swept.outputs[c].size(); ++i)
        {
            ASSERT_TRUE(std::isfinite(swept.outputs[c][i])) << "output " << c << " frame " << i;
            sweptPeak = std::max(sweptPeak, std::fabs(swept.outputs[c][i]));
            stillPeak = std::max(stillPeak, std::fabs(still.outputs[c][i]));
        }
        EXPECT_LE(sweptPeak, 1.5 * stillPeak) << "output " << c;
    }
}

// Every switch between adjacent positions, both ways, with near-field compensation off and
// on: the old and the new settings' outputs crossfade over the first 64 frames, so that no
// output steps further from one frame to the next, from the frame before the switch to the
// end of the fade, than it does anywhere under either setting alone; from frame 64 on the
// block is what the new setting gives (the same as after a switch without a fade).
TEST(Glide, ASwitchCrossfadesWithoutAClickAndIsDoneWithinSixtyFourFrames)
{
    struct Switch
    {
        int parameter;
        float from, to;
    };
    std::vector<Switch> switches;
    for (int parameter : {sferant::kOrder, sferant::kWeight})
        for (int step = 0; step < 4; ++step)
        {
            switches.push_back({parameter, step / 4.0f, (step + 1) / 4.0f});
            switches.push_back({parameter, (step + 1) / 4.0f, step / 4.0f});
        }
    for (int parameter : {sferant::kInput, sferant::kOutput, sferant::kNFC})
    {
        switches.push_back({parameter, 0, 1});
        switches.push_back({parameter, 1, 0});
    }
    for (const Switch& s : switches)
        for (float nearField : {0.0f, 1.0f})
            for (int frames : {64, 2048})
            {
                if (s.parameter == sferant::kNFC && nearField == 1) continue;
                Values before = ordinarySettings(), after;
                before[sferant::kNFC] = nearField;
                before[s.parameter] = s.from;
                after = before;
                after[s.parameter] = s.to;
                Render old(kRate, Signal::kMiddle), young(kRate, Signal::kMiddle),
                    switched(kRate, Signal::kMiddle), stepped(kRate, Signal::kMiddle);
                for (int block = 0; block < 4; ++block)
                {
                    old.block(before, frames);
                    young.block(after, frames);
                    switched.block(block < 2 ? before : after, frames);
                    stepped.block(block < 2 ? before : after, frames, block == 2);
                }
                const std::string what = "parameter " + std::to_string(s.parameter) + " " +
                                         std::to_string(s.from) + " to " + std::to_string(s.to) +
                                         ", NFC " + std::to_string(nearField) + ", block " +
                                         std::to_string(frames);
                const int fadeEnd = 2 * frames + std::min(64, frames);
                for (int c = 0; c < kOutputs; ++c)
                {
                    const double alone =
                        std::max(largestStep(old.outputs[c]), largestStep(young.outputs[c]));
                    EXPECT_LE(largestStep(switched.outputs[c], 2 * frames, fadeEnd + 1),
                              alone * (1 + 1e-9))
                        << what << ", output " << c;
                    EXPECT_TRUE(std::equal(switched.outputs[c].begin() + fadeEnd,
                                           switched.outputs[c].end(),
                                           stepped.outputs[c].begin() + fadeEnd))
                        << what << ", output " << c;
                }
            }
}
