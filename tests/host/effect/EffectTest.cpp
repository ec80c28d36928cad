// SPDX-License-Identifier: GPL-3.0-or-later
// What the effect adds to the core: its blocks are its processor's, through the record, across
// resumes and new rates; its operations over the maths give the core's values for its current
// parameters; its display texts are the parameter table's, in the number format of its base.
#include "HostedEffect.h"

#include "core/BlockProcessor.h"
#include "core/display_number.h"
#include "core/gains.h"
#include "core/nearfield.h"
#include "core/weights.h"
#include "host/text.h"
#include "plugin/vst2/Sferant.h"

#include <gtest/gtest.h>

#include <string>

using namespace sferant_test;
using namespace sferant;

namespace
{

constexpr int kFrames = 300;
// Fifth order, stereo with a width, near-field compensation at 0.6 m, N3D; then the source
// moves and the order falls.
constexpr float kNearField[kNumParams] = {0.3f, 0.6f, 1, 0.05f, 0.3f, 1, 0.75f, 1, 0};
constexpr float kMoved[kNumParams] = {0.7f, 0.4f, 1, 0.2f, 0.1f, 0.5f, 0.75f, 1, 0};

} // namespace

TEST(Effect, EncodesAsItsProcessorAcrossResumesAndNewRates)
{
    HostedEffect effect;
    BlockProcessor processor;
    effect.start(48000, kFrames);
    processor.prepare(48000, kFrames);
    Channels<float> direct(kFrames), hosted(kFrames);
    for (int block = 0; block < 6; ++block)
    {
        const float(&values)[kNumParams] = block % 2 ? kMoved : kNearField;
        effect.setAll(values);
        processor.setParameters(values);
        if (block == 2)
        {
            effect.dispatch(effMainsChanged, 0, 0);
            effect.dispatch(effMainsChanged, 0, 1);
            processor.skipNextGlide();
        }
        if (block == 4)
        {
            effect.dispatch(effSetSampleRate, 0, 0, nullptr, 96000);
            processor.prepare(96000, kFrames);
        }
        for (int c = 0; c < kInputs; ++c)
        {
            fillSignal(direct.in[c], 3 + c, block * kFrames);
            hosted.in[c] = direct.in[c];
        }
        processor.process(direct.inputs, direct.outputs, kFrames);
        effect.process(hosted, kFrames);
        ASSERT_EQ(direct.out, hosted.out) << "block " << block;
    }
}

TEST(Effect, ItsOperationsGiveTheCoresValuesForItsCurrentParameters)
{
    Sferant effect(quietHost);
    effect.setSampleRate(96000);
    for (int i = 0; i < kNumParams; ++i)
        effect.setParameter(i, kNearField[i]);
    const double elevation = processingValue(kElevation, kNearField[kElevation]);
    EXPECT_EQ(effect.float2azimuth(0.3), processingValue(kAzimuth, 0.3));
    EXPECT_EQ(effect.float2elevation(0.3), processingValue(kElevation, 0.3));
    EXPECT_EQ(effect.float2width(0.3), processingValue(kWidth, 0.3));
    EXPECT_EQ(effect.float2distance(0.3), processingValue(kDistance, 0.3));
    EXPECT_EQ(effect.weightCalculation(3, 2), normalisationWeight(3, 3, 2));
    EXPECT_EQ(effect.legendre(4, 1), legendreValue(elevation, 4, 1));
    EXPECT_EQ(effect.ambiChannels(0.4), encodingGains({5, 3, 0, elevation}, 0.4));
    EXPECT_EQ(effect.fRootsAbs(4, 2), rootMagnitude(4, 2));
    EXPECT_EQ(effect.fRootsReal(5, 3), rootReal(5, 3));
    double mine[3], core[3];
    effect.firstOrderFilterCoeffs(0.7, 3, mine);
    firstOrderCoefficients(96000, 0.7, 3, core);
    EXPECT_EQ(std::vector<double>(mine, mine + 2), std::vector<double>(core, core + 2));
    effect.secondOrderFilterCoeffs(0.7, 5, 2, mine);
    secondOrderCoefficients(96000, 0.7, 5, 2, core);
    EXPECT_EQ(std::vector<double>(mine, mine + 3), std::vector<double>(core, core + 3));
}

// The table writes the numbers itself (the core includes nothing of the effect's base): every
// text of a continuous parameter is the one its base's float2string writes.
TEST(Effect, NumericDisplaysAreTheBaseFormatOfTheTablesNumbers)
{
    Sferant effect(quietHost);
    for (int index = 0; index < kNumParams; ++index)
    {
        if (kParameters[index].positions) continue;
        for (int step = 0; step <= 1 << 16; ++step)
        {
            const float x = float(step) / (1 << 16);
            char table[16] = {}, base[16] = {};
            displayText(index, x, table, kParamTextLength);
            effect.float2string(float(kParameters[index].hostNumber(x)), base, kParamTextLength);
            ASSERT_STREQ(table, base) << kParameters[index].name << " at " << x;
        }
    }
    for (float number : {0.0f, -0.0f, 1e-9f, 9999999.0f, 1e7f, -999999.5f, -1e6f, 123.456f})
    {
        char table[16] = {}, base[16] = {};
        writeDisplayNumber(number, table);
        effect.float2string(number, base, kParamTextLength);
        EXPECT_STREQ(table, base) << number;
    }
}
