// SPDX-License-Identifier: GPL-3.0-or-later
// A moving source, as a host automates it: a new value at the start of every block. The
// encoder glides from one block's values to the next, so the motion adds no buzz at the
// block rate and follows the ideal per-sample encoding one block late.
#include "CoreEncoder.h"
#include "OutOfBand.h"
#include "SphericalHarmonics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>

using namespace sferant_test;

namespace
{

constexpr double kRate = 48000;
constexpr double kTone = 1000;
constexpr double kToneAmplitude = 0.5;
constexpr int kOrder5 = 5;
constexpr int kSN3D = 2;
// The motion runs through a quarter of a second before the measured second starts, and on
// after it for as long as the longest lag looked at.
constexpr int kPreRoll = 12000;
constexpr int kMeasured = 48000;
constexpr int kLongestBlock = 2048;
constexpr int kFrames = kPreRoll + kMeasured + 2 * kLongestBlock + 64;

double tone(int frame)
{
    return kToneAmplitude * std::sin(2 * M_PI * kTone * frame / kRate);
}

// One parameter moving at a steady rate in the units a user reads, taking `from` at the
// start of the measured second; width and distance stop at the ends of their ranges.
struct Motion
{
    const char* what;
    int parameter;
    double from, perSecond;
    bool nearField;

    double userValueAt(double frame) const
    {
        const double value = from + perSecond * (frame - kPreRoll) / kRate;
        const sferant::Parameter& p = sferant::kParameters[parameter];
        return p.circular ? value : std::clamp(value, p.minimum, p.maximum);
    }

    // The azimuth as the host sends it: wrapped into 0..1.
    float hostValueAt(double frame) const
    {
        if (parameter != sferant::kAzimuth)
            return sferant::normalisedValue(parameter, userValueAt(frame));
        const double x = 0.5 - userValueAt(frame) / 360;
        return static_cast<float>(x - std::floor(x));
    }
};

// Where the source stands while it does not move: 30 degrees to the left on the horizon.
constexpr double kAzimuthDegrees = 30, kElevationDegrees = 0, kWidthDegrees = 0;
constexpr double kDistanceMetres = 2;

std::array<float, sferant::kNumParams> stillSettings(bool nearField)
{
    using sferant::normalisedValue;
    return {normalisedValue(sferant::kAzimuth, kAzimuthDegrees),
            normalisedValue(sferant::kElevation, kElevationDegrees),
            nearField ? 1.0f : 0.0f,
            normalisedValue(sferant::kDistance, kDistanceMetres),
            normalisedValue(sferant::kWidth, kWidthDegrees),
            1.0f,
            0.5f,
            0.0f,
            0.0f};
}

using Outputs = std::vector<std::vector<double>>;

// The tone encoded in blocks of `block` frames, the moving value set before each block.
Outputs encodeMoving(const Motion& motion, int block)
{
    CoreEncoder effect;
    effect.start(static_cast<float>(kRate), block);
    const auto settings = stillSettings(motion.nearField);
    for (int i = 0; i < sferant::kNumParams; ++i)
        effect.set(i, settings[i]);
    Outputs outputs(kOutputs, std::vector<double>(kFrames));
    Channels<double> channels(block);
    for (int start = 0; start < kFrames; start += block)
    {
        const int frames = std::min(block, kFrames - start);
        for (int i = 0; i < frames; ++i)
            channels.in[0][i] = tone(start + i);
        effect.set(motion.parameter, motion.hostValueAt(start));
        effect.process(channels, frames);
        for (int c = 0; c < kOutputs; ++c)
            std::copy_n(channels.out[c].begin(), frames, outputs[c].begin() + start);
    }
    return outputs;
}

// The output channel of component (n, m) and its cosine or sine term, in 3D.
struct Component
{
    int n, m;
    bool sine;
};

std::array<Component, kOutputs> componentsOfOutputs()
{
    std::array<Component, kOutputs> components{};
    for (int n = 0; n <= kOrder5; ++n)
        for (int m = 0; m <= n; ++m)
            for (bool sine : {false, true})
            {
                if (m == 0 && sine) continue;
                const int entry = m == 0 ? n * n : n * n + 2 * m - (sine ? 0 : 1);
                // X, Y, Z: outputs 1, 2, 3 carry entries 2, 3, 1.
                const int output = entry == 1 ? 3 : entry == 2 || entry == 3 ? entry - 1 : entry;
                components[output] = {n, m, sine};
            }
    return components;
}

const std::array<Component, kOutputs> kComponents = componentsOfOutputs();

constexpr double radians(double degrees)
{
    return degrees * kPi8 / 180;
}

// The weight of every output's component.
std::array<double, kOutputs> componentWeights()
{
    std::array<double, kOutputs> weights{};
    for (int k = 0; k < kOutputs; ++k)
        weights[k] = weightClosedForm(kSN3D, kComponents[k].n, kComponents[k].m);
    return weights;
}

const std::array<double, kOutputs> kWeights = componentWeights();

// The gains of every output for the mono source at this direction and width, in double
// precision from the closed forms: each virtual source at half gain.
std::array<double, kOutputs> idealGains(double azimuth, double elevation, double width)
{
    double cosines[kOrder5 + 1] = {1}, sines[kOrder5 + 1] = {0};
    for (int m = 1; m <= kOrder5; ++m)
        for (double side : {width / 2, -width / 2})
        {
            cosines[m] += std::cos(m * (azimuth + side)) / 2;
            sines[m] += std::sin(m * (azimuth + side)) / 2;
        }
    const double x = std::sin(elevation), c = std::cos(elevation);
    std::array<double, kOutputs> gains{};
    for (int k = 0; k < kOutputs; ++k)
    {
        const Component& h = kComponents[k];
        const double term = h.sine ? sines[h.m] : cosines[h.m];
        gains[k] = kWeights[k] * legendreClosedForm(h.n, h.m, x, c) * term;
    }
    return gains;
}

// The ideal gains of the motion at (fractional) frame `at`.
std::array<double, kOutputs> idealGainsAt(const Motion& motion, double at)
{
    double value[sferant::kNumParams] = {kAzimuthDegrees, kElevationDegrees, 0, 0, kWidthDegrees};
    value[motion.parameter] = motion.userValueAt(at);
    return idealGains(radians(value[sferant::kAzimuth]), radians(value[sferant::kElevation]),
                      radians(value[sferant::kWidth]));
}

Outputs idealOutputs(const Motion& motion)
{
    Outputs outputs(kOutputs, std::vector<double>(kFrames));
    for (int frame = 0; frame < kFrames; ++frame)
    {
        const auto gains = idealGainsAt(motion, frame);
        for (int c = 0; c < kOutputs; ++c)
            outputs[c][frame] = tone(frame) * gains[c];
    }
    return outputs;
}

// Error energy over signal energy (in dB) of the encoded outputs against the ideal encoding
// whose direction lags by `lag` frames, on every `step`-th frame of the measured second. Its
// first two blocks are left out: a width that starts to move there reaches the host's
// blocks as a bend, which they could only sample.
double lagError(const Motion& motion, const Outputs& outputs, int block, double lag, int step)
{
    double error = 0, signal = 0;
    for (int frame = kPreRoll + 2 * block; frame < kPreRoll + kMeasured; frame += step)
    {
        const auto gains = idealGainsAt(motion, frame - lag);
        for (int c = 0; c < kOutputs; ++c)
        {
            const double ideal = tone(frame) * gains[c];
            error += (outputs[c][frame] - ideal) * (outputs[c][frame] - ideal);
            signal += ideal * ideal;
        }
    }
    return decibels(error, signal);
}

// The smallest error over the lags 0 to two blocks: a golden-section search on every 8th
// frame, then the error at the lag found on every frame.
double bestLagError(const Motion& motion, const Outputs& outputs, int block)
{
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double low = 0, high = 2.0 * block + 32;
    double a = high - ratio * (high - low), b = low + ratio * (high - low);
    double ea = lagError(motion, outputs, block, a, 8), eb = lagError(motion, outputs, block, b, 8);
    while (high - low > 0.05)
    {
        if (ea < eb)
        {
            high = b, b = a, eb = ea;
            a = high - ratio * (high - low);
            ea = lagError(motion, outputs, block, a, 8);
        }
        else
        {
            low = a, a = b, ea = eb;
            b = low + ratio * (high - low);
            eb = lagError(motion, outputs, block, b, 8);
        }
    }
    return lagError(motion, outputs, block, (low + high) / 2, 1);
}

constexpr int kBlocks[] = {64, 512, 2048};

const Motion kDirectionMotions[] = {
    {"azimuth 90 deg/s", sferant::kAzimuth, kAzimuthDegrees, 90, false},
    {"azimuth 360 deg/s", sferant::kAzimuth, kAzimuthDegrees, 360, false},
    {"elevation 90 deg/s", sferant::kElevation, -45, 90, false},
    {"width 0 to 180 deg in 1 s", sferant::kWidth, 0, 180, false},
};

} // namespace

// The measure itself: the ideal encoding of each motion spreads far less than the encoder
// may (what spreads is the window's leakage and the motion's own sidebands).
TEST(Motion, TheIdealEncodingOfEachMotionStaysWithinTenHertz)
{
    for (const Motion& motion : kDirectionMotions)
        EXPECT_LE(outOfBandDecibels(idealOutputs(motion), kPreRoll, kMeasured, kRate, kTone, 10),
                  -115)
            << motion.what;
}

// Energy outside the tone's +-10 Hz: the buzz that steps at the block rate would add. Against
// the ideal encoding: what is left once the one block of lag is taken out.
TEST(Motion, ASweptToneKeepsItsEnergyWithinTenHertzAndFollowsTheIdealEncoding)
{
    for (const Motion& motion : kDirectionMotions)
        for (int block : kBlocks)
        {
            const Outputs outputs = encodeMoving(motion, block);
            const double spread = outOfBandDecibels(outputs, kPreRoll, kMeasured, kRate, kTone, 10);
            const double error = bestLagError(motion, outputs, block);
            std::printf("%-26s block %4d: outside +-10 Hz %7.1f dB, against ideal %7.1f dB\n",
                        motion.what, block, spread, error);
            EXPECT_LE(spread, -100) << motion.what << ", block " << block;
            EXPECT_LE(error, -90) << motion.what << ", block " << block;
        }
}

TEST(Motion, ADistanceSweptWithNearFieldCompensationKeepsItsEnergyWithinTenHertz)
{
    const Motion motion = {"distance 0.5 to 5 m in 1 s", sferant::kDistance, 0.5, 4.5, true};
    for (int block : kBlocks)
    {
        const Outputs outputs = encodeMoving(motion, block);
        const double spread = outOfBandDecibels(outputs, kPreRoll, kMeasured, kRate, kTone, 10);
        std::printf("%-26s block %4d: outside +-10 Hz %7.1f dB\n", motion.what, block, spread);
        EXPECT_LE(spread, -80) << "block " << block;
    }
}
