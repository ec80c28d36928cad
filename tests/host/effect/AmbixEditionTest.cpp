// SPDX-License-Identifier: GPL-3.0-or-later
// Sferant AmbiX against Sferant, both loaded as a host loads them: the same encoder, with its
// outputs in ACN order, SN3D as the starting weight, and a name and ID of its own.
#include "ModuleInstance.h"

#include "core/channels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace sferant_test;
using sferant::ChannelOrder;
using sferant::Component;

namespace
{

constexpr int kFrames = 257;

template <class Sample> void expectMovedOutputs(const float (&values)[sferant::kNumParams])
{
    ModuleInstance furseMalham(builtModule()), ambix(builtAmbixModule());
    Channels<Sample> fuma(kFrames), acn(kFrames, Sample(7));
    for (int c = 0; c < kInputs; ++c)
    {
        fillSignal(fuma.in[c], 11 + c, 0);
        acn.in[c] = fuma.in[c];
    }
    for (HostedEffect* effect :
         {static_cast<HostedEffect*>(&furseMalham), static_cast<HostedEffect*>(&ambix)})
    {
        effect->start(48000, kFrames);
        effect->setAll(values);
    }
    furseMalham.process(fuma, kFrames);
    ambix.process(acn, kFrames);
    const bool horizontal = values[sferant::kOutput] == 1;
    std::vector<bool> carried(kOutputs);
    for (int c = 0; c < kOutputs; ++c)
    {
        const Component k = componentOfOutput(ChannelOrder::kFurseMalham, horizontal, c);
        if (k.silent()) continue;
        const int moved = sferant::acnChannel(k.n, k.m);
        carried[moved] = true;
        ASSERT_EQ(acn.out[moved], fuma.out[c]) << "Furse-Malham output " << c;
    }
    for (int c = 0; c < kOutputs; ++c)
        ASSERT_TRUE(carried[c] || acn.out[c] == std::vector<Sample>(kFrames, 0)) << "output " << c;
}

} // namespace

// Every order, weight, 3D and 2D, mono and stereo, near-field compensation off and on.
TEST(AmbixEdition, OutputsAreSferantsMovedToTheirAcnChannels)
{
    for (int order = 0; order < 5; ++order)
        for (int weight = 0; weight < 5; ++weight)
            for (int output = 0; output < 2; ++output)
                for (int input = 0; input < 2; ++input)
                    for (int nfc = 0; nfc < 2; ++nfc)
                    {
                        const float values[sferant::kNumParams] = {
                            0.37f,        0.61f,         float(nfc),   0.04f,        0.3f,
                            order / 4.0f, weight / 4.0f, float(input), float(output)};
                        expectMovedOutputs<float>(values);
                        if (order == 4) expectMovedOutputs<double>(values);
                    }
}

TEST(AmbixEdition, HasItsOwnNameIdAndStartingWeight)
{
    ModuleInstance furseMalham(builtModule()), ambix(builtAmbixModule());
    EXPECT_EQ(ambix.record->uniqueID, 0x53664158); // 'SfAX'
    EXPECT_NE(ambix.record->uniqueID, furseMalham.record->uniqueID);
    EXPECT_EQ(ambix.text(effGetEffectName), "Sferant AmbiX");
    EXPECT_EQ(ambix.text(effGetProductString), "Sferant AmbiX");
    EXPECT_EQ(ambix.text(effGetParamDisplay, sferant::kWeight), "SN3D");
    EXPECT_EQ(furseMalham.text(effGetParamDisplay, sferant::kWeight), "SN2D");
    for (int i = 0; i < sferant::kNumParams; ++i)
    {
        EXPECT_EQ(ambix.text(effGetParamName, i), furseMalham.text(effGetParamName, i));
        EXPECT_EQ(ambix.text(effGetParamLabel, i), furseMalham.text(effGetParamLabel, i));
        EXPECT_TRUE(i == sferant::kWeight || ambix.get(i) == furseMalham.get(i)) << i;
    }
    EXPECT_EQ(ambix.record->numOutputs, furseMalham.record->numOutputs);
    EXPECT_EQ(ambix.record->flags, furseMalham.record->flags);
}
