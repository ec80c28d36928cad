// SPDX-License-Identifier: GPL-3.0-or-later
// Which component each output carries, in the Furse-Malham sequence and in ACN.
#include "HostedEffect.h"

#include "core/BlockProcessor.h"
#include "core/channels.h"

#include <gtest/gtest.h>

using namespace sferant;
using sferant_test::Channels;

TEST(ChannelOrder, FullSphereOutputsCarryTheirComponents)
{
    const struct
    {
        ChannelOrder order;
        int output;
        Component carried;
    } cases[] = {
        {ChannelOrder::kFurseMalham, 0, {0, 0}},  {ChannelOrder::kFurseMalham, 1, {1, 1}},
        {ChannelOrder::kFurseMalham, 2, {1, -1}}, {ChannelOrder::kFurseMalham, 3, {1, 0}},
        {ChannelOrder::kFurseMalham, 4, {2, 0}},  {ChannelOrder::kFurseMalham, 8, {2, -2}},
        {ChannelOrder::kFurseMalham, 25, {5, 0}}, {ChannelOrder::kFurseMalham, 35, {5, -5}},
        {ChannelOrder::kAcn, 1, {1, -1}},         {ChannelOrder::kAcn, 2, {1, 0}},
        {ChannelOrder::kAcn, 3, {1, 1}},          {ChannelOrder::kAcn, 24, {4, 4}},
        {ChannelOrder::kAcn, 25, {5, -5}},        {ChannelOrder::kAcn, 35, {5, 5}},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(componentOfOutput(c.order, false, c.output) == c.carried) << c.output;
    for (int output = 0; output < kNumOutputs; ++output)
    {
        const Component k = componentOfOutput(ChannelOrder::kAcn, false, output);
        EXPECT_EQ(acnChannel(k.n, k.m), output);
    }
}

TEST(ChannelOrder, HorizontalOutputsCarryOnlyTheCircularComponents)
{
    for (int output = 0; output < kNumOutputs; ++output)
    {
        const Component acn = componentOfOutput(ChannelOrder::kAcn, true, output);
        const Component fuma = componentOfOutput(ChannelOrder::kFurseMalham, true, output);
        const Component sphere = componentOfOutput(ChannelOrder::kAcn, false, output);
        EXPECT_EQ(acn.silent(), sphere.m != sphere.n && sphere.m != -sphere.n) << output;
        EXPECT_EQ(fuma.silent(), output > 2 * kMaxOrder) << output;
        if (fuma.silent()) continue;
        const int moved = acnChannel(fuma.n, fuma.m);
        EXPECT_TRUE(componentOfOutput(ChannelOrder::kAcn, true, moved) == fuma) << output;
    }
}

// Each output of the ACN processor is the Furse-Malham processor's output that carries the
// same component, to the bit; the other outputs are silent.
TEST(ChannelOrder, AcnOutputsAreTheFurseMalhamOutputsMoved)
{
    const float settings[][kNumParams] = {
        {0.3f, 0.6f, 1, 0.05f, 0.3f, 1, 0.5f, 1, 0},    // 5th order, stereo, NFC, SN3D
        {0.8f, 0.4f, 0, 1, 0, 0.5f, 0.75f, 0, 0},       // 3rd order, mono, N3D
        {0.1f, 0.5f, 1, 0.3f, 0.5f, 0.75f, 0.0f, 1, 1}, // 4th order, 2D, SN2D
        {0.6f, 0.5f, 0, 1, 0.2f, 1, 1.0f, 0, 1},        // 5th order, 2D, Fu-Ma
    };
    for (const auto& values : settings)
    {
        const bool horizontal = values[kOutput] == 1;
        Channels<float> fuma(200), acn(200, 7.0f);
        sferant_test::fillSignal(fuma.in[0], 1, 0);
        sferant_test::fillSignal(fuma.in[1], 2, 0);
        acn.in = fuma.in;
        for (int c = 0; c < 2; ++c)
            acn.inputs[c] = acn.in[c].data();
        BlockProcessor furseMalham, ambix(ChannelOrder::kAcn);
        for (BlockProcessor* p : {&furseMalham, &ambix})
        {
            p->prepare(48000, 200);
            p->setParameters(values);
        }
        furseMalham.process(fuma.inputs, fuma.outputs, 200);
        ambix.process(acn.inputs, acn.outputs, 200);
        std::vector<bool> filled(kNumOutputs);
        for (int c = 0; c < kNumOutputs; ++c)
        {
            const Component k = componentOfOutput(ChannelOrder::kFurseMalham, horizontal, c);
            if (k.silent()) continue;
            ASSERT_EQ(acn.out[acnChannel(k.n, k.m)], fuma.out[c]) << "output " << c;
            filled[acnChannel(k.n, k.m)] = true;
        }
        for (int c = 0; c < kNumOutputs; ++c)
            EXPECT_TRUE(filled[c] || acn.out[c] == std::vector<float>(200, 0.0f)) << "output " << c;
    }
}
