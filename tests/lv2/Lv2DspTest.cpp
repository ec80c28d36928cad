// SPDX-License-Identifier: GPL-3.0-or-later
// The LV2 plug-in's DSP binary, loaded and driven as an LV2 host drives it: its ports hold
// the values a user reads, its output is the block processor's.
#include "HostedEffect.h"
#include "LoadedModule.h"

#include "core/BlockProcessor.h"
#include "core/parameters.h"
#include "plugin/lv2/ports.h"

#include <lv2/core/lv2.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace sferant;
using namespace sferant_test;

namespace
{

constexpr int kFrames = 300; // more than a chunk, not a multiple of one

using UserValues = std::array<float, kNumParams>;

// One of the DSP binary's plug-ins (0 Sferant, 1 Sferant AmbiX), instantiated and connected
// to its own buffers.
class Lv2Instance
{
  public:
    explicit Lv2Instance(double rate, int plugin = 0)
    {
        auto entry = module.symbol<LV2_Descriptor_Function>("lv2_descriptor");
        descriptor = entry ? entry(plugin) : nullptr;
        if (descriptor) handle = descriptor->instantiate(descriptor, rate, "", nullptr);
        if (!handle) return;
        for (int i = 0; i < kInputs; ++i)
            descriptor->connect_port(handle, lv2::kFirstInputPort + i, io.inputs[i]);
        for (int c = 0; c < kOutputs; ++c)
            descriptor->connect_port(handle, lv2::kFirstOutputPort + c, io.outputs[c]);
        for (int i = 0; i < kNumParams; ++i)
            descriptor->connect_port(handle, lv2::controlPort(i), &controls[i]);
        descriptor->activate(handle);
    }
    ~Lv2Instance()
    {
        if (handle) descriptor->cleanup(handle);
    }

    bool ready() const { return handle != nullptr; }
    void run(const UserValues& values, unsigned seed)
    {
        controls = values;
        fillSignal(io.in[0], seed, 0);
        fillSignal(io.in[1], seed + 1, 0);
        descriptor->run(handle, kFrames);
    }
    void activate() { descriptor->activate(handle); }

    LoadedModule module{SFERANT_LV2_DSP_PATH};
    const LV2_Descriptor* descriptor = nullptr;
    LV2_Handle handle = nullptr;
    UserValues controls{};
    Channels<float> io{kFrames};
};

// The block processor as the VST 2.4 module drives it, at the normalised values.
class Reference
{
  public:
    explicit Reference(double rate, ChannelOrder order = ChannelOrder::kFurseMalham)
        : processor(order)
    {
        processor.prepare(rate, kFrames);
    }
    void run(const UserValues& values, unsigned seed)
    {
        float normalised[kNumParams];
        for (int i = 0; i < kNumParams; ++i)
            normalised[i] = normalisedValue(i, values[i]);
        fillSignal(io.in[0], seed, 0);
        fillSignal(io.in[1], seed + 1, 0);
        processor.setParameters(normalised);
        processor.process(io.inputs, io.outputs, kFrames);
    }

    BlockProcessor processor;
    Channels<float> io{kFrames};
};

void expectSameOutputs(const Channels<float>& a, const Channels<float>& b, const char* what)
{
    for (int c = 0; c < kOutputs; ++c)
        ASSERT_EQ(a.out[c], b.out[c]) << what << ", output " << c;
}

// Azimuth, elevation, NFC, distance, width, order, weight, input, output.
const UserValues kDefaults = {0, 0, 0, 10.1f, 0, 1, 0, 0, 0};
const UserValues kStereoNearField = {30, 20, 1, 2.5f, 60, 5, 3, 1, 0};
const UserValues kHorizontalFuMa = {-135, -45, 1, 0.5f, 0, 3, 4, 0, 1};

} // namespace

TEST(Lv2Dsp, OffersSferantAndSferantAmbixUnderTheirUris)
{
    LoadedModule module(SFERANT_LV2_DSP_PATH);
    ASSERT_TRUE(module.loaded()) << module.error();
    auto entry = module.symbol<LV2_Descriptor_Function>("lv2_descriptor");
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(entry(0), nullptr);
    ASSERT_NE(entry(1), nullptr);
    EXPECT_STREQ(entry(0)->URI, "urn:sferant:encoder");
    EXPECT_STREQ(entry(1)->URI, "urn:sferant:ambix");
    EXPECT_EQ(entry(2), nullptr);
}

TEST(Lv2Dsp, EncodesAsTheBlockProcessorAtTheControlsMappedThroughTheTable)
{
    for (int plugin = 0; plugin < lv2::kNumPlugins; ++plugin)
        for (double rate : {22050.0, 48000.0, 192000.0})
            for (const UserValues& values : {kDefaults, kStereoNearField, kHorizontalFuMa})
            {
                Lv2Instance instance(rate, plugin);
                ASSERT_TRUE(instance.ready());
                Reference reference(rate, lv2::kPlugins[plugin].edition.channelOrder);
                for (unsigned block = 0; block < 3; ++block)
                {
                    instance.run(values, block);
                    reference.run(values, block);
                    expectSameOutputs(instance.io, reference.io, lv2::kPlugins[plugin].uri);
                }
            }
}

TEST(Lv2Dsp, AControlHoldingNoNumberKeepsItsLastValue)
{
    Lv2Instance plugin(48000);
    Reference reference(48000);
    plugin.run(kStereoNearField, 1);
    reference.run(kStereoNearField, 1);
    for (float notANumber :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
    {
        UserValues broken = kStereoNearField;
        broken[kAzimuth] = broken[kDistance] = broken[kOrder] = notANumber;
        plugin.run(broken, 2);
        reference.run(kStereoNearField, 2);
        expectSameOutputs(plugin.io, reference.io, "after a control without a number");
    }
}

TEST(Lv2Dsp, ActivateStartsTheFiltersAfresh)
{
    Lv2Instance plugin(48000), fresh(48000);
    plugin.run(kStereoNearField, 1);
    plugin.activate();
    plugin.run(kStereoNearField, 2);
    fresh.run(kStereoNearField, 2);
    expectSameOutputs(plugin.io, fresh.io, "after activate");
}
