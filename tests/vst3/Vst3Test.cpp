// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostedEffect.h"
#include "ModuleInstance.h"

#include "core/BlockProcessor.h"
#include "core/edition.h"
#include "core/parameters.h"
#include "plugin/vst3/host_side/Vst3Instance.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace sferant_test;
using sferant::vst3::HostPoint;
using sferant::vst3::Vst3Instance;

extern "C" void* GetPluginFactory();

namespace
{

constexpr double kRate = 48000;
// Normalised: azimuth 30, elevation 20, NFC on, 2.5 m, width 60, 5th order, SN3D, stereo, 3D.
constexpr float kSettings[sferant::kNumParams] = {
    0.416666667f, 0.611111111f, 1, 0.24f, 0.333333333f, 1, 0.5f, 1, 0};

v3_plugin_factory** factory()
{
    return static_cast<v3_plugin_factory**>(GetPluginFactory());
}

std::vector<HostPoint> settingsAt(int frame, const float (&values)[sferant::kNumParams])
{
    std::vector<HostPoint> points;
    for (int i = 0; i < sferant::kNumParams; ++i)
        points.push_back({frame, i, values[i]});
    return points;
}

template <class Sample> void fillBoth(Channels<Sample>& channels, unsigned seed, long at)
{
    fillSignal(channels.in[0], seed, at);
    fillSignal(channels.in[1], seed + 1, at);
}

std::string hex(const v3_tuid id)
{
    std::string text;
    char byte[3];
    for (int i = 0; i < 16; ++i)
        text += (std::snprintf(byte, sizeof byte, "%02X", id[i]), byte);
    return text;
}

} // namespace

TEST(Vst3, TheFactoryOffersBothClassesWithTheirIdsBusesAndTheParameterTable)
{
    v3_plugin_factory** f = factory();
    ASSERT_EQ(v3_cpp_obj(f)->num_classes(f), 2);
    const char* ids[] = {"88589C6AB751D889D2050739B55D4993", "C9000F185B9EF1623905FC78CA5617CF"};
    const sferant::Edition* editions[] = {&sferant::kSferant, &sferant::kSferantAmbiX};
    for (int c = 0; c < 2; ++c)
    {
        v3_class_info info{};
        ASSERT_EQ(v3_cpp_obj(f)->get_class_info(f, c, &info), V3_OK);
        EXPECT_EQ(hex(info.class_id), ids[c]);
        EXPECT_STREQ(info.name, editions[c]->name);
        EXPECT_STREQ(info.category, "Audio Module Class");
        Vst3Instance instance(f, c);
        EXPECT_EQ(instance.channels(V3_INPUT), 2);
        EXPECT_EQ(instance.channels(V3_OUTPUT), 36);
        ASSERT_EQ(instance.parameterCount(), sferant::kNumParams);
        for (int i = 0; i < sferant::kNumParams; ++i)
        {
            const sferant::Parameter& p = sferant::kParameters[i];
            const v3_param_info param = instance.parameter(i);
            char title[128], units[128], shown[32];
            sferant::vst3::fromUtf16(param.title, title, sizeof title);
            sferant::vst3::fromUtf16(param.units, units, sizeof units);
            EXPECT_STREQ(title, p.name);
            EXPECT_STREQ(units, p.label);
            EXPECT_EQ(param.step_count, p.positions ? p.positions - 1 : 0) << p.name;
            EXPECT_EQ(param.default_normalised_value, sferant::defaultValue(*editions[c], i));
            EXPECT_TRUE(param.flags & V3_PARAM_CAN_AUTOMATE);
            ASSERT_TRUE(sferant::displayText(i, kSettings[i], shown, sizeof shown - 1));
            EXPECT_EQ(instance.text(i, kSettings[i]), shown) << p.name;
        }
    }
}

// Blocks of any length, longer than the announced maximum too, with the host's values sent
// again at frame 0 now and then, in both precisions: the VST 2.4 module's output to the bit.
// Narrower output buses get the first outputs, and only all-zero outputs are flagged silent.
TEST(Vst3, AStillSourceRendersAsTheVstModuleToTheBit)
{
    const char* modules[] = {builtModule(), builtAmbixModule()};
    for (int c = 0; c < 2; ++c)
        for (int outputs : {36, 16, 9, 4})
        {
            Vst3Instance vst3(factory(), c);
            ASSERT_EQ(vst3.setArrangement(2, outputs), V3_OK);
            ASSERT_EQ(vst3.start(kRate, 256, false), V3_OK);
            ModuleInstance vst(modules[c]);
            vst.start(float(kRate), 512);
            for (int i = 0; i < sferant::kNumParams; ++i)
                vst.set(i, kSettings[i]);
            long at = 0;
            for (int frames : {512, 64, 333, 1, 700})
            {
                Channels<float> a(frames, 7), b(frames, 7);
                Channels<double> d(frames, 7), e(frames, 7);
                fillBoth(a, 11, at), fillBoth(b, 11, at), fillBoth(d, 11, at), fillBoth(e, 11, at);
                const auto again =
                    at == 0 || frames % 2 ? settingsAt(0, kSettings) : std::vector<HostPoint>();
                ASSERT_EQ(vst3.process(a.inputs, 2, a.outputs, outputs, frames, again), V3_OK);
                vst.process(b, frames);
                for (int ch = 0; ch < kOutputs; ++ch)
                    ASSERT_EQ(a.out[ch], ch < outputs ? b.out[ch] : std::vector<float>(frames, 7))
                        << "class " << c << ", " << outputs << " outputs, output " << ch;
                EXPECT_EQ(vst3.silenceFlags(), 0u);
                at += frames;
            }
            Channels<float> quiet(64);
            ASSERT_EQ(vst3.process(quiet.inputs, 2, quiet.outputs, outputs, 64, {}), V3_OK);
            EXPECT_NE(vst3.silenceFlags() & 1, 0u) << "a tail of NFC filters after silence";
        }
}

TEST(Vst3, SixtyFourBitBlocksRenderAsTheVstModulesDoublePrecision)
{
    Vst3Instance vst3(factory(), 0);
    ASSERT_EQ(vst3.start(kRate, 512, true), V3_OK);
    ModuleInstance vst(builtModule());
    vst.start(float(kRate), 512);
    for (int i = 0; i < sferant::kNumParams; ++i)
        vst.set(i, kSettings[i]);
    Channels<double> a(512), b(512);
    fillBoth(a, 5, 0), fillBoth(b, 5, 0);
    ASSERT_EQ(vst3.process(a.inputs, 2, a.outputs, 36, 512, settingsAt(0, kSettings)), V3_OK);
    vst.process(b, 512);
    for (int ch = 0; ch < kOutputs; ++ch)
        ASSERT_EQ(a.out[ch], b.out[ch]) << "output " << ch;
}

// Points at frames inside a block reach the core as points at those frames, across the
// pieces of a block longer than the maximum.
TEST(Vst3, ParameterPointsReachTheCoreAtTheirFrames)
{
    const std::vector<HostPoint> points = {
        {0, sferant::kOrder, 1},         {100, sferant::kAzimuth, 0.25},
        {300, sferant::kElevation, 0.7}, {300, sferant::kAzimuth, 0.75},
        {450, sferant::kWeight, 0.75},   {599, sferant::kWidth, 0.5}};
    Vst3Instance vst3(factory(), 1);
    ASSERT_EQ(vst3.start(kRate, 256, false), V3_OK);
    sferant::BlockProcessor core(sferant::ChannelOrder::kAcn);
    core.prepare(kRate, 256);
    float start[sferant::kNumParams];
    for (int i = 0; i < sferant::kNumParams; ++i)
        start[i] = sferant::defaultValue(sferant::kSferantAmbiX, i);
    core.setParameters(start);
    core.reset();
    core.skipNextGlide();
    constexpr int kFrames = 600;
    Channels<float> a(kFrames), b(kFrames);
    fillBoth(a, 9, 0), fillBoth(b, 9, 0);
    ASSERT_EQ(vst3.process(a.inputs, 2, a.outputs, 36, kFrames, points), V3_OK);
    // The same block in the core, in the same pieces of 256 frames.
    for (int from = 0; from < kFrames; from += 256)
    {
        sferant::ParameterPoints piece;
        for (const HostPoint& p : points)
            if (p.frame >= from && p.frame < from + 256)
                piece.add(p.frame - from, p.index, float(p.value));
        const float* in[2] = {b.inputs[0] + from, b.inputs[1] + from};
        float* out[36];
        for (int ch = 0; ch < 36; ++ch)
            out[ch] = b.outputs[ch] + from;
        core.process(in, out, std::min(256, kFrames - from), piece);
    }
    for (int ch = 0; ch < kOutputs; ++ch)
        ASSERT_EQ(a.out[ch], b.out[ch]) << "output " << ch;
    EXPECT_FLOAT_EQ(float(vst3.normalised(sferant::kAzimuth)), 0.75f);
}

// The state read back in chunks of any size; a stream that ends early or is another's
// changes nothing.
TEST(Vst3, TheStateComesBackReadInAnyChunksAndABadOneChangesNothing)
{
    Vst3Instance first(factory(), 0);
    ASSERT_EQ(first.start(kRate, 64, false), V3_OK);
    Channels<float> block(64);
    first.process(block.inputs, 2, block.outputs, 36, 64, settingsAt(10, kSettings));
    const std::vector<unsigned char> state = first.saveState();
    ASSERT_EQ(state.size(), 8u + 4 * sferant::kNumParams);
    for (int chunk : {1, 3, 1000})
    {
        Vst3Instance second(factory(), 0);
        ASSERT_EQ(second.loadState(state, chunk), V3_OK);
        for (int i = 0; i < sferant::kNumParams; ++i)
            EXPECT_EQ(float(second.normalised(i)), kSettings[i]) << "chunk " << chunk;
    }
    std::vector<unsigned char> foreign = state;
    foreign[0] ^= 1;
    std::vector<unsigned char> outOfRange = state;
    std::memset(outOfRange.data() + 8, 0xFF, 4);
    for (const auto& bad : {std::vector<unsigned char>(state.begin(), state.end() - 1), foreign,
                            outOfRange, std::vector<unsigned char>()})
    {
        Vst3Instance second(factory(), 0);
        EXPECT_NE(second.loadState(bad, 5), V3_OK);
        for (int i = 0; i < sferant::kNumParams; ++i)
            EXPECT_EQ(second.normalised(i), sferant::defaultValue(sferant::kSferant, i));
    }
}

// Each bad call is refused or harmless and leaves the instance working.
TEST(Vst3, BadInputIsRefusedAndChangesNothing)
{
    Channels<float> block(64);
    float* none[36] = {};
    const struct
    {
        const char* what;
        std::function<v3_result(Vst3Instance&)> call;
        v3_result expected;
    } cases[] = {
        {"3 outputs", [](Vst3Instance& v) { return v.setArrangement(2, 3); }, V3_FALSE},
        {"25 outputs", [](Vst3Instance& v) { return v.setArrangement(2, 25); }, V3_FALSE},
        {"3 inputs", [](Vst3Instance& v) { return v.setArrangement(3, 36); }, V3_FALSE},
        {"process before activation",
         [&](Vst3Instance& v) { return v.process(block.inputs, 2, block.outputs, 36, 64, {}); },
         V3_NOT_INITIALIZED},
        {"0 frames",
         [&](Vst3Instance& v)
         {
             v.start(kRate, 64, false);
             return v.process(block.inputs, 2, block.outputs, 36, 0, settingsAt(5, kSettings));
         },
         V3_OK},
        {"null channels",
         [&](Vst3Instance& v)
         {
             v.start(kRate, 64, false);
             return v.process(block.inputs, 2, none, 36, 64, {});
         },
         V3_INVALID_ARG},
        {"a truncated state",
         [](Vst3Instance& v) { return v.loadState(std::vector<unsigned char>(20, 'S')); },
         V3_FALSE},
        {"terminate twice",
         [](Vst3Instance& v)
         {
             v.terminate();
             return v.terminate();
         },
         V3_FALSE},
    };
    for (const auto& c : cases)
    {
        Vst3Instance instance(factory(), 0);
        EXPECT_EQ(c.call(instance), c.expected) << c.what;
        EXPECT_EQ(instance.channels(V3_OUTPUT), 36) << c.what;
        EXPECT_EQ(instance.channels(V3_INPUT), 2) << c.what;
    }
}
