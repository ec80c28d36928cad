// SPDX-License-Identifier: GPL-3.0-or-later
// Parameters, program and texts, as a host sees them through the record.
#include "HostedEffect.h"
#include "TextDigest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace sferant_test;

namespace
{

struct ParameterText
{
    int index;
    const char* text;
};

struct DisplayCase
{
    int index;
    float value;
    const char* text;
};

const char kUntouched[] =
    "###############################################################################";

} // namespace

TEST(EncoderRecord, DescribesTwoInputsThirtySixOutputsAndNineParameters)
{
    HostedEffect effect;
    const AEffect& r = *effect.record;
    EXPECT_EQ(r.magic, 0x56737450);
    EXPECT_EQ(r.numPrograms, 1);
    EXPECT_EQ(r.numParams, sferant::kNumParams);
    EXPECT_EQ(r.numInputs, 2);
    EXPECT_EQ(r.numOutputs, 36);
    EXPECT_EQ(r.uniqueID, 0x53667274);
    EXPECT_EQ(r.version, 1);
    EXPECT_EQ(r.initialDelay, 0);
    EXPECT_EQ(r.flags, effFlagsHasEditor | effFlagsCanReplacing | effFlagsCanDoubleReplacing);
}

TEST(EncoderParameters, DisplaysOfTheDefaults)
{
    const ParameterText cases[] = {{0, "0.000000"}, {1, "0.000000"}, {2, "Off"},
                                   {3, "10.10000"}, {4, "0.000000"}, {5, "1st"},
                                   {6, "SN2D"},     {7, "Mono"},     {8, "3D"}};
    HostedEffect effect;
    for (const auto& c : cases)
        EXPECT_EQ(effect.text(effGetParamDisplay, c.index), c.text) << "parameter " << c.index;
}

TEST(EncoderParameters, DisplaysAcrossTheRange)
{
    const DisplayCase cases[] = {
        {0, 0.0f, "180.0000"}, {0, 1.0f, "-180.000"}, {0, 0.25f, "90.00000"}, {1, 0.0f, "-90.0000"},
        {1, 1.0f, "90.00000"}, {2, 0.5f, "Off"},      {2, 1.0f, "On"},        {3, 0.0f, "0.100000"},
        {4, 1.0f, "180.0000"}, {5, 0.75f, "4th"},     {5, 0.999f, "4th"},     {5, 1.0f, "5th"},
        {5, 0.25f, "2nd"},     {5, 0.5f, "3rd"},      {6, 0.25f, "N2D"},      {6, 0.2499f, "SN2D"},
        {6, 0.5f, "SN3D"},     {6, 0.75f, "N3D"},     {6, 1.0f, "Fu-Ma"},     {7, 1.0f, "Stereo"},
        {7, 0.99f, "Mono"},    {8, 1.0f, "2D"},       {8, 0.5f, "3D"},
    };
    HostedEffect effect;
    for (const auto& c : cases)
    {
        effect.set(c.index, c.value);
        EXPECT_EQ(effect.text(effGetParamDisplay, c.index), c.text)
            << "parameter " << c.index << " at " << c.value;
    }
}

TEST(EncoderParameters, NamesAndLabels)
{
    const ParameterText names[] = {{0, "Azimuth"},  {1, "Elev"},  {2, "NFC"},
                                   {3, "Distance"}, {4, "Width"}, {5, "Order"},
                                   {6, "Weight"},   {7, "Input"}, {8, "Output"}};
    const ParameterText labels[] = {{0, "deg"},   {1, "deg"},    {2, ""}, {3, "m"}, {4, "deg"},
                                    {5, "order"}, {6, "weight"}, {7, ""}, {8, ""}};
    HostedEffect effect;
    for (const auto& c : names)
        EXPECT_EQ(effect.text(effGetParamName, c.index), c.text);
    for (const auto& c : labels)
        EXPECT_EQ(effect.text(effGetParamLabel, c.index), c.text);
}

TEST(EncoderParameters, AnIndexOutsideTheNineWritesNothingAndReadsZero)
{
    HostedEffect effect;
    for (int index : {-1, 9, 1000})
    {
        EXPECT_EQ(effect.text(effGetParamName, index), kUntouched);
        EXPECT_EQ(effect.text(effGetParamLabel, index), kUntouched);
        EXPECT_EQ(effect.text(effGetParamDisplay, index), kUntouched);
        EXPECT_EQ(effect.get(index), 0.0f);
        effect.set(index, 0.3f); // stores nothing, and nothing breaks
    }
    for (int i = 0; i < sferant::kNumParams; ++i)
        EXPECT_EQ(effect.text(effGetParamName, i).find('#'), std::string::npos);
}

TEST(EncoderParameters, AStoredValueReadsBack)
{
    HostedEffect effect;
    effect.set(sferant::kDistance, 0.2f);
    EXPECT_EQ(effect.get(3), 0.2f);
    effect.dispatch(effSetProgram, 0, 0); // re-applies the program's values
    EXPECT_EQ(effect.get(3), 0.2f);
}

TEST(EncoderParameters, OutOfRangeValuesAreClampedAndNonFiniteOnesIgnored)
{
    const float inf = std::numeric_limits<float>::infinity();
    const struct
    {
        float value;
        float stored;
    } cases[] = {{1.5f, 1.0f},          {-0.5f, 0.0f}, {1e30f, 1.0f},
                 {std::nanf(""), 0.3f}, {inf, 0.3f},   {-inf, 0.3f}};
    HostedEffect effect;
    for (const auto& c : cases)
    {
        effect.set(sferant::kAzimuth, 0.3f);
        effect.set(sferant::kAzimuth, c.value);
        EXPECT_EQ(effect.get(0), c.stored) << "after " << c.value;
        effect.dispatch(effSetProgram, 0, 0);
        EXPECT_EQ(effect.get(0), c.stored) << "program record after " << c.value;
    }
}

TEST(EncoderProgram, NamesOfTheOneProgram)
{
    HostedEffect effect;
    EXPECT_EQ(effect.text(effGetProgramName), "Init 1");
    EXPECT_EQ(effect.text(effGetProgramNameIndexed, 0, 0), "Init");
}

TEST(EncoderProgram, OnlyIndexZeroHasAName)
{
    HostedEffect effect;
    char text[32] = "untouched";
    EXPECT_EQ(effect.dispatch(effGetProgramNameIndexed, 1, 0, text), 0);
    EXPECT_STREQ(text, "untouched");
}

TEST(EncoderProgram, RenamingShowsTheNameUnchangedExceptInit)
{
    HostedEffect effect;
    char hall[] = "Hall";
    effect.dispatch(effSetProgramName, 0, 0, hall);
    EXPECT_EQ(effect.text(effGetProgramName), "Hall");
    EXPECT_EQ(effect.text(effGetProgramNameIndexed, 0, 0), "Hall");
    char init[] = "Init";
    effect.dispatch(effSetProgramName, 0, 0, init);
    EXPECT_EQ(effect.text(effGetProgramName), "Init 1");
}

TEST(EncoderProgram, ALongNameIsCutToTwentyThreeCharacters)
{
    HostedEffect effect;
    char longName[] = "A name far longer than the field holds";
    effect.dispatch(effSetProgramName, 0, 0, longName);
    EXPECT_EQ(effect.text(effGetProgramName), std::string(longName, 23));
}

TEST(EncoderStrings, EffectProductAndVendor)
{
    HostedEffect effect;
    EXPECT_EQ(effect.text(effGetEffectName), "Sferant Alpha-version");
    EXPECT_EQ(effect.text(effGetProductString), "Sferant Alpha-version");
    EXPECT_EQ(effect.text(effGetVendorString), "Sferant Project");
    EXPECT_EQ(effect.dispatch(effGetVendorString, 0, 0, std::string(80, ' ').data()), 1);
}

// The host's texts must never move: a saved session shows what it showed. The digest is of
// the texts of every parameter at a sample of the floats in 0..1, as the effect wrote them
// when the texts were last changed.
TEST(EncoderParameters, TextsAcrossTheFloatsInZeroToOneAreUnchanged)
{
    HostedEffect effect;
    TextDigest digest;
    forSampledFloatsInZeroToOne(
        [&](float x)
        {
            for (int index = 0; index < sferant::kNumParams; ++index)
            {
                effect.set(index, x);
                digest.add(effect.text(effGetParamDisplay, index));
            }
        });
    EXPECT_EQ(digest.value(), 4741368604598906215u);
}
