// SPDX-License-Identifier: GPL-3.0-or-later
// Block processing: the documented cases, bad buffers, precision, filter
// history and the floating-point mode.
#include "CoreEncoder.h"
#include "SphericalHarmonics.h"

#include "core/FlushDenormals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

using namespace sferant_test;

namespace
{

constexpr float kSN3D = 0.5f;
constexpr double kUntouched = 7.0;

// Normalised values in index order: azimuth, elevation, NFC, distance, width,
// order, weight, input, output.
using Settings = std::array<float, sferant::kNumParams>;
constexpr Settings kFirstOrderMono = {0.5f, 0.5f, 0, 1, 0, 0, kSN3D, 0, 0};

void configure(CoreEncoder& effect, const Settings& settings)
{
    for (int i = 0; i < sferant::kNumParams; ++i)
        effect.set(i, settings[i]);
}

template <class Sample> void fillNoise(std::vector<Sample>& channel, unsigned seed)
{
    for (size_t i = 0; i < channel.size(); ++i)
        channel[i] = static_cast<Sample>(std::sin(seed * 12.9898 + i * 78.233) * 0.8);
}

template <class Sample> void expectUntouched(const Channels<Sample>& channels, const char* what)
{
    for (int c = 0; c < 36; ++c)
        for (Sample s : channels.out[c])
            ASSERT_EQ(s, static_cast<Sample>(kUntouched)) << what << ", output " << c;
}

} // namespace

TEST(BlockProcessing, MonoSourceStraightAheadFillsWAndXOnly)
{
    CoreEncoder effect;
    configure(effect, kFirstOrderMono);
    Channels<double> channels(64, kUntouched);
    fillNoise(channels.in[0], 1);
    effect.process(channels.inputs, channels.outputs, 64);
    for (int i = 0; i < 64; ++i)
    {
        const double x = channels.in[0][i];
        EXPECT_DOUBLE_EQ(channels.out[0][i], x);
        EXPECT_DOUBLE_EQ(channels.out[1][i], x);
        EXPECT_NEAR(channels.out[2][i], 0.0, 1e-15);
        EXPECT_EQ(channels.out[3][i], 0.0);
        for (int c = 4; c < 36; ++c)
            ASSERT_EQ(channels.out[c][i], 0.0) << "output " << c;
    }
}

TEST(BlockProcessing, FirstOrderOutputsForSourceDirectionsAndWidths)
{
    const struct
    {
        float azimuth, width;
        double w, x, y;
    } cases[] = {
        {0.5f, 0.0f, 1, 1, 0},   // straight ahead
        {0.25f, 0.0f, 1, 0, 1},  // on the left
        {0.75f, 0.0f, 1, 0, -1}, // on the right
        {0.5f, 1.0f, 1, 0, 0},   // halves at +90 and -90 degrees cancel on X and Y
    };
    for (const auto& c : cases)
    {
        CoreEncoder effect;
        Settings settings = kFirstOrderMono;
        settings[0] = c.azimuth;
        settings[4] = c.width;
        configure(effect, settings);
        Channels<double> channels(1);
        channels.in[0][0] = 0.6;
        effect.process(channels.inputs, channels.outputs, 1);
        EXPECT_NEAR(channels.out[0][0], 0.6 * c.w, 1e-8) << "azimuth " << c.azimuth;
        EXPECT_NEAR(channels.out[1][0], 0.6 * c.x, 1e-8) << "azimuth " << c.azimuth;
        EXPECT_NEAR(channels.out[2][0], 0.6 * c.y, 1e-8) << "azimuth " << c.azimuth;
    }
}

TEST(BlockProcessing, StereoLeftInputAloneIsHalfAGainAtItsSide)
{
    CoreEncoder effect;
    configure(effect, {0.5f, 0.6f, 0, 1, 0.5f, 0.5f, kSN3D, 1, 0}); // third order, width 90 degrees
    Channels<double> channels(1);
    channels.in[0][0] = 0.8;
    effect.process(channels.inputs, channels.outputs, 1);
    const double azimuth = kPi8 / 4; // the left source stands 45 degrees to the left
    const int components[16][3] = {{0, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 0}, {2, 0, 0}, {2, 1, 0},
                                   {2, 1, 1}, {2, 2, 0}, {2, 2, 1}, {3, 0, 0}, {3, 1, 0}, {3, 1, 1},
                                   {3, 2, 0}, {3, 2, 1}, {3, 3, 0}, {3, 3, 1}};
    for (int c = 0; c < 16; ++c)
    {
        const auto& nm = components[c];
        const double gain = harmonic(2, nm[0], nm[1], nm[2] == 1, elevationOf(0.6f), azimuth);
        EXPECT_NEAR(channels.out[c][0], 0.5 * 0.8 * gain, 1e-12) << "output " << c;
    }
}

TEST(BlockProcessing, NearFieldAtTheReferenceDistanceChangesNothing)
{
    CoreEncoder plain, compensated;
    Settings settings = {0.3f, 0.7f, 0, 0.19f, 0.2f, 1, 0.75f, 1, 0};
    configure(plain, settings);
    settings[2] = 1;
    configure(compensated, settings);
    Channels<double> a(512), b(512);
    fillNoise(a.in[0], 2);
    fillNoise(a.in[1], 3);
    b.in = a.in;
    plain.process(a.inputs, a.outputs, 512);
    compensated.process(b.inputs, b.outputs, 512);
    for (int c = 0; c < 36; ++c)
        for (int i = 0; i < 512; ++i)
            ASSERT_NEAR(b.out[c][i], a.out[c][i], 1e-7) << "output " << c << " frame " << i;
}

TEST(BlockProcessing, NearFieldScalesWByTwoOverDistanceWithoutFiltering)
{
    CoreEncoder effect;
    configure(effect, {0.5f, 0.5f, 1, 0, 0, 1, kSN3D, 0, 0}); // r = 0.1 m, fifth order
    Channels<double> channels(256);
    fillNoise(channels.in[0], 4);
    effect.process(channels.inputs, channels.outputs, 256);
    for (int i = 0; i < 256; ++i)
        EXPECT_NEAR(channels.out[0][i], 20 * channels.in[0][i], 1e-13) << "frame " << i;
}

TEST(BlockProcessing, OutputsAboveTheOrderAreSilent)
{
    const struct
    {
        float output;
        int firstSilent;
    } cases[] = {{0, 16}, {1, 7}}; // third order: 3D uses 16 outputs, 2D uses 7
    for (const auto& c : cases)
        for (float nfc : {0.0f, 1.0f})
        {
            CoreEncoder effect;
            configure(effect, {0.4f, 0.6f, nfc, 0.3f, 0.1f, 0.5f, 0.75f, 0, c.output});
            Channels<float> channels(100, kUntouched);
            fillNoise(channels.in[0], 5);
            effect.process(channels.inputs, channels.outputs, 100);
            for (int out = 0; out < 36; ++out)
            {
                const bool silent = out >= c.firstSilent;
                const auto written = [&](float s) { return silent ? s == 0.0f : s != kUntouched; };
                EXPECT_TRUE(
                    std::all_of(channels.out[out].begin(), channels.out[out].end(), written))
                    << "output " << out << " mode " << c.output << " NFC " << nfc;
            }
        }
}

TEST(BlockProcessing, ABlockOfNoFramesWritesNothingAndLeavesTheFilterHistory)
{
    const Settings settings = {0.2f, 0.3f, 1, 0.05f, 0.3f, 1, 0.75f, 1, 0};
    CoreEncoder effect, twin;
    configure(effect, settings);
    configure(twin, settings);
    Channels<double> first(300), empty(4, kUntouched), a(300), b(300);
    fillNoise(first.in[0], 6);
    fillNoise(first.in[1], 7);
    effect.process(first.inputs, first.outputs, 300);
    twin.process(first.inputs, first.outputs, 300);
    for (int frames : {0, -1, -512})
        effect.process(empty.inputs, empty.outputs, frames);
    expectUntouched(empty, "no frames");
    fillNoise(a.in[0], 8);
    b.in = a.in;
    effect.process(a.inputs, a.outputs, 300);
    twin.process(b.inputs, b.outputs, 300);
    EXPECT_EQ(a.out, b.out);
}

TEST(BlockProcessing, MissingBuffersWriteNothing)
{
    CoreEncoder effect;
    configure(effect, {0.5f, 0.5f, 1, 0.1f, 0, 1, 0, 1, 0}); // stereo: both inputs are read
    Channels<float> channels(32, kUntouched);
    effect.process(nullptr, channels.outputs, 32);
    effect.process(channels.inputs, nullptr, 32);
    float* noLeft[2] = {nullptr, channels.inputs[1]};
    effect.process(noLeft, channels.outputs, 32);
    float* noRight[2] = {channels.inputs[0], nullptr};
    effect.process(noRight, channels.outputs, 32);
    for (int missing : {0, 17, 35})
    {
        float* outputs[36];
        std::copy(channels.outputs, channels.outputs + 36, outputs);
        outputs[missing] = nullptr;
        effect.process(channels.inputs, outputs, 32);
    }
    expectUntouched(channels, "missing buffer");
}

TEST(BlockProcessing, MonoInputNeedsNoSecondChannel)
{
    CoreEncoder effect;
    configure(effect, kFirstOrderMono);
    Channels<float> channels(8, kUntouched);
    channels.in[0].assign(8, 0.5f);
    float* onlyLeft[2] = {channels.inputs[0], nullptr};
    effect.process(onlyLeft, channels.outputs, 8);
    EXPECT_FLOAT_EQ(channels.out[0][7], 0.5f);
}

TEST(BlockProcessing, SingleAndDoublePrecisionAgree)
{
    const Settings settings = {0.15f, 0.8f, 1, 0.12f, 0.6f, 1, 0.75f, 1, 0};
    CoreEncoder single, twice;
    configure(single, settings);
    configure(twice, settings);
    Channels<float> f(700);
    Channels<double> d(700);
    for (int c = 0; c < 2; ++c)
    {
        fillNoise(f.in[c], 9 + c);
        d.in[c].assign(f.in[c].begin(), f.in[c].end());
    }
    single.process(f.inputs, f.outputs, 700);
    twice.process(d.inputs, d.outputs, 700);
    for (int c = 0; c < 36; ++c)
        for (int i = 0; i < 700; ++i)
            ASSERT_NEAR(f.out[c][i], d.out[c][i], 1e-5 * (1 + std::fabs(d.out[c][i])))
                << "output " << c << " frame " << i;
}

TEST(BlockProcessing, AlternatingPrecisionsContinueOneFilterHistory)
{
    const Settings settings = {0.6f, 0.4f, 1, 0.3f, 0.25f, 1, 0.5f, 1, 0};
    CoreEncoder alternating, doubleOnly;
    configure(alternating, settings);
    configure(doubleOnly, settings);
    for (int block = 0; block < 6; ++block)
    {
        Channels<double> d(200), reference(200);
        Channels<float> f(200);
        for (int c = 0; c < 2; ++c)
        {
            fillNoise(f.in[c], 20 * block + c);
            d.in[c].assign(f.in[c].begin(), f.in[c].end());
        }
        reference.in = d.in;
        doubleOnly.process(reference.inputs, reference.outputs, 200);
        if (block % 2 == 0)
            alternating.process(d.inputs, d.outputs, 200);
        else
            alternating.process(f.inputs, f.outputs, 200);
        for (int c = 0; c < 36; ++c)
            for (int i = 0; i < 200; ++i)
            {
                const double expected = reference.out[c][i];
                const double actual = block % 2 == 0 ? d.out[c][i] : f.out[c][i];
                ASSERT_NEAR(actual, expected, 1e-5 * (1 + std::fabs(expected)))
                    << "block " << block << " output " << c << " frame " << i;
            }
    }
}

TEST(BlockProcessing, ResumeKeepsTheFilterHistory)
{
    const Settings settings = {0.5f, 0.5f, 1, 0.0f, 0, 1, 0, 0, 0};
    CoreEncoder resumed, plain;
    configure(resumed, settings);
    configure(plain, settings);
    Channels<double> a(100), b(100);
    a.in[0][0] = 1.0;
    b.in = a.in;
    resumed.process(a.inputs, a.outputs, 100);
    plain.process(b.inputs, b.outputs, 100);
    resumed.resume();
    resumed.process(a.inputs, a.outputs, 100);
    plain.process(b.inputs, b.outputs, 100);
    EXPECT_EQ(a.out, b.out);
}

TEST(BlockProcessing, FiniteInputAfterNonFiniteSamplesGivesFiniteOutputWithinOneBlock)
{
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(), -1e308};
    for (double value : bad)
        for (float nfc : {0.0f, 1.0f})
        {
            CoreEncoder effect;
            configure(effect, {0.3f, 0.6f, nfc, 0.0f, 0.4f, 1, 0.75f, 1, 0});
            Channels<double> poisoned(256), clean(256);
            fillNoise(poisoned.in[0], 30);
            poisoned.in[0][100] = value;
            poisoned.in[1][255] = value;
            effect.process(poisoned.inputs, poisoned.outputs, 256);
            fillNoise(clean.in[0], 31);
            fillNoise(clean.in[1], 32);
            effect.process(clean.inputs, clean.outputs, 256);
            for (int c = 0; c < 36; ++c)
                for (double s : clean.out[c])
                    ASSERT_TRUE(std::isfinite(s))
                        << "after " << value << ", NFC " << nfc << ", output " << c;
        }
}

TEST(BlockProcessing, TheHostsFloatingPointModeIsRestoredAfterEachCall)
{
    const unsigned flushBits =
        sferant::FlushDenormals::kFlushToZero | sferant::FlushDenormals::kDenormalsAreZero;
    CoreEncoder effect;
    configure(effect, {0.5f, 0.5f, 1, 0.5f, 0, 1, 0, 0, 0});
    Channels<float> f(64);
    Channels<double> d(64);
    const unsigned original = sferant::FlushDenormals::mode();
    for (unsigned mode : {original & ~flushBits, original | flushBits})
    {
        sferant::FlushDenormals::setMode(mode);
        effect.process(f.inputs, f.outputs, 64);
        EXPECT_EQ(sferant::FlushDenormals::mode(), mode);
        effect.process(d.inputs, d.outputs, 64);
        EXPECT_EQ(sferant::FlushDenormals::mode(), mode);
    }
    sferant::FlushDenormals::setMode(original);
}

TEST(BlockProcessing, DenormalInputCountsAsSilenceWhileProcessing)
{
    const unsigned original = sferant::FlushDenormals::mode();
    sferant::FlushDenormals::setMode(original & ~(sferant::FlushDenormals::kFlushToZero |
                                                  sferant::FlushDenormals::kDenormalsAreZero));
    CoreEncoder effect;
    configure(effect, kFirstOrderMono);
    Channels<double> channels(4);
    channels.in[0].assign(4, 1e-310);
    effect.process(channels.inputs, channels.outputs, 4);
    sferant::FlushDenormals::setMode(original);
    EXPECT_EQ(channels.out[0][3], 0.0);
}

TEST(BlockProcessing, WithoutAUsableSampleRateTheNearFieldFiltersPassTheSignal)
{
    // A format's adapter may pass on whatever rate its host gives.
    const Settings settings = {0.5f, 0.5f, 1, 0.39f, 0, 1, kSN3D, 0, 0}; // r = 4 m, fifth order
    for (float rate : {0.0f, -48000.0f, std::numeric_limits<float>::quiet_NaN()})
    {
        CoreEncoder effect;
        effect.start(rate, 256);
        configure(effect, settings);
        Channels<double> channels(256);
        fillNoise(channels.in[0], 40);
        effect.process(channels.inputs, channels.outputs, 256);
        for (int i = 0; i < 256; ++i)
            ASSERT_NEAR(channels.out[1][i], 0.5 * channels.in[0][i], 1e-6) << "X at " << rate;
    }
}

TEST(BlockProcessing, InputsMayShareBuffersWithTheFirstOutputs)
{
    const Settings settings = {0.35f, 0.45f, 1, 0.2f, 0.3f, 1, 0.75f, 1, 0};
    CoreEncoder inPlace, separate;
    configure(inPlace, settings);
    configure(separate, settings);
    Channels<float> shared(300), apart(300);
    fillNoise(apart.in[0], 50);
    fillNoise(apart.in[1], 51);
    shared.out[0] = apart.in[0];
    shared.out[1] = apart.in[1];
    float* sharedInputs[2] = {shared.outputs[0], shared.outputs[1]};
    inPlace.process(sharedInputs, shared.outputs, 300);
    separate.process(apart.inputs, apart.outputs, 300);
    EXPECT_EQ(shared.out, apart.out);
}
