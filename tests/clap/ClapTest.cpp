// SPDX-License-Identifier: GPL-3.0-or-later
// Sferant.clap loaded as a CLAP host loads it: its factory, parameters and texts, its
// renders against the VST 2.4 modules, parameter events at frames, its Ambisonic declaration,
// and what it does with bad input.
#include "ClapHost.h"
#include "HostedEffect.h"
#include "ModuleInstance.h"

#include "core/parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>

using namespace sferant_test;

namespace
{

constexpr const char* kSferantId = "org.sferant.encoder";
constexpr const char* kAmbixId = "org.sferant.ambix";
constexpr double kRate = 48000;

// In the units a user reads: azimuth 30, elevation 20, NFC on, 2.5 m, width 60, 5th order,
// SN3D, stereo, 3D.
constexpr double kSettings[sferant::kNumParams] = {30, 20, 1, 2.5, 60, 5, 2, 1, 0};

Events settingsEvents(const double (&settings)[sferant::kNumParams])
{
    Events events;
    for (clap_id i = 0; i < sferant::kNumParams; ++i)
        events.value(0, i, settings[i]);
    return events;
}

// An instance with these settings, active, after one block (from which on values glide).
std::unique_ptr<ClapInstance> warmInstance(const char* id, const double (&settings)[9],
                                           uint32_t maxFrames = 64)
{
    auto instance = std::make_unique<ClapInstance>(id);
    instance->flush(settingsEvents(settings));
    instance->activate(kRate, maxFrames);
    Channels<float> channels(64);
    instance->process(channels.inputs, channels.outputs, 64);
    return instance;
}

// First order, SN3D, mono, 3D, at this azimuth: a source whose place shows in every output.
struct Source
{
    double azimuth;
    double settings[sferant::kNumParams];

    explicit Source(double azimuth) : azimuth(azimuth), settings{azimuth, 0, 0, 2, 0, 1, 2, 0, 0} {}
};

template <class Sample> void fillBoth(Channels<Sample>& channels, unsigned seed, long at)
{
    fillSignal(channels.in[0], seed, at);
    fillSignal(channels.in[1], seed + 1, at);
}

::testing::AssertionResult sameOutputs(const Channels<float>& a, const Channels<float>& b, int from,
                                       int to)
{
    for (int c = 0; c < kOutputs; ++c)
        for (int i = from; i < to; ++i)
            if (a.out[c][i] != b.out[c][i])
                return ::testing::AssertionFailure() << "output " << c << ", frame " << i << ": "
                                                     << a.out[c][i] << " against " << b.out[c][i];
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(Clap, TheFactoryDescribesBothEditionsTheirPortsAndTheirParameters)
{
    const clap_plugin_factory_t& factory = clapFactory();
    ASSERT_EQ(factory.get_plugin_count(&factory), 2u);
    const char* ids[] = {kSferantId, kAmbixId};
    const char* names[] = {"Sferant", "Sferant AmbiX"};
    for (uint32_t e = 0; e < 2; ++e)
    {
        const clap_plugin_descriptor_t* d = factory.get_plugin_descriptor(&factory, e);
        EXPECT_STREQ(d->id, ids[e]);
        EXPECT_STREQ(d->name, names[e]);
        std::string features;
        for (const char* const* f = d->features; *f; ++f)
            features += std::string(*f) + " ";
        EXPECT_EQ(features, "audio-effect ambisonic surround ");

        ClapInstance instance(ids[e]);
        const auto* ports = instance.extension<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
        clap_audio_port_info_t in{}, out{};
        ASSERT_EQ(ports->count(instance.plugin, true), 1u);
        ASSERT_EQ(ports->count(instance.plugin, false), 1u);
        ASSERT_TRUE(ports->get(instance.plugin, 0, true, &in));
        ASSERT_TRUE(ports->get(instance.plugin, 0, false, &out));
        EXPECT_EQ(in.channel_count, 2u);
        EXPECT_EQ(out.channel_count, 36u);
        EXPECT_TRUE(in.flags & CLAP_AUDIO_PORT_IS_MAIN && out.flags & CLAP_AUDIO_PORT_IS_MAIN);
        EXPECT_STREQ(out.port_type, e == 1 ? "ambisonic" : nullptr);
        for (const char* ambisonic : {CLAP_EXT_AMBISONIC, CLAP_EXT_AMBISONIC_DRAFT})
            EXPECT_EQ(instance.extension<clap_plugin_ambisonic_t>(ambisonic) != nullptr, e == 1);

        ASSERT_EQ(instance.params->count(instance.plugin), 9u);
        for (uint32_t i = 0; i < 9; ++i)
        {
            const sferant::Parameter& p = sferant::kParameters[i];
            clap_param_info_t info{};
            ASSERT_TRUE(instance.params->get_info(instance.plugin, i, &info));
            EXPECT_EQ(info.id, i);
            EXPECT_STREQ(info.name, p.name);
            EXPECT_EQ(info.min_value, p.minimum);
            EXPECT_EQ(info.max_value, p.maximum);
            EXPECT_EQ(info.default_value, instance.value(i)) << p.name;
            EXPECT_TRUE(info.flags & CLAP_PARAM_IS_AUTOMATABLE);
            EXPECT_EQ(bool(info.flags & CLAP_PARAM_IS_STEPPED), p.positions != 0) << p.name;
            EXPECT_EQ(bool(info.flags & CLAP_PARAM_IS_MODULATABLE), p.positions == 0) << p.name;
        }
        clap_param_info_t info;
        EXPECT_FALSE(instance.params->get_info(instance.plugin, 9, &info));
    }
}

// The host's text of every parameter at values across its range is the VST 2.4 module's (a
// number with its unit after it), and reads back as the value.
TEST(Clap, ParameterTextsReadBackAndAgreeWithTheVstTexts)
{
    ClapInstance clap(kSferantId);
    ModuleInstance vst;
    for (int i = 0; i < sferant::kNumParams; ++i)
        for (float x : {0.0f, 0.1f, 0.25f, 0.5f, 0.625f, 0.75f, 0.999f, 1.0f})
        {
            const double value = sferant::userValue(i, x);
            char text[64];
            ASSERT_TRUE(clap.params->value_to_text(clap.plugin, i, value, text, sizeof text));
            vst.set(i, sferant::normalisedValue(i, value));
            const std::string vstText = vst.text(effGetParamDisplay, i);
            double back = -1, fromVst = -1;
            EXPECT_TRUE(clap.params->text_to_value(clap.plugin, i, text, &back)) << text;
            EXPECT_TRUE(clap.params->text_to_value(clap.plugin, i, vstText.c_str(), &fromVst));
            const sferant::Parameter& p = sferant::kParameters[i];
            EXPECT_EQ(text, p.positions ? vstText : vstText + " " + p.label);
            if (p.positions)
                EXPECT_EQ(back, value) << text;
            else
                EXPECT_NEAR(back, value, 0.002) << text; // eight characters, truncated
            EXPECT_EQ(fromVst, back) << vstText;
        }
    const struct
    {
        int index;
        const char* text;
        double value;
    } typed[] = {{0, " -45 deg ", -45}, {0, "400", 40}, {3, "2.5m", 2.5},
                 {5, "5TH", 5},         {6, "n3d", 3},  {7, "Stereo", 1}};
    for (const auto& t : typed)
    {
        double value = -1;
        EXPECT_TRUE(clap.params->text_to_value(clap.plugin, t.index, t.text, &value)) << t.text;
        EXPECT_NEAR(value, t.value, 1e-5) << t.text;
    }
    double value;
    for (const char* bad : {"", "deg", "12 parsecs", "Quadro"})
        EXPECT_FALSE(clap.params->text_to_value(clap.plugin, 7, bad, &value)) << bad;
    EXPECT_FALSE(clap.params->text_to_value(clap.plugin, 9, "1", &value));
}

// A still source through CLAP is the VST 2.4 module's to the bit, in either sample type,
// whatever the blocks, and with the host sending the same values again in some of them.
TEST(Clap, AStillSourceRendersAsTheVstModuleToTheBit)
{
    const struct
    {
        const char* id;
        const char* vstModule;
    } editions[] = {{kSferantId, builtModule()}, {kAmbixId, builtAmbixModule()}};
    for (const auto& edition : editions)
    {
        ClapInstance clap(edition.id);
        clap.flush(settingsEvents(kSettings));
        ASSERT_TRUE(clap.activate(kRate, 512));
        ModuleInstance vst(edition.vstModule);
        vst.start(float(kRate), 512);
        for (int i = 0; i < sferant::kNumParams; ++i)
            vst.set(i, sferant::normalisedValue(i, kSettings[i]));
        long at = 0;
        for (int frames : {512, 64, 333, 1, 512})
        {
            Channels<float> a(frames, 7), b(frames, 7);
            Channels<double> c(frames, 7), d(frames, 7);
            fillBoth(a, 11, at), fillBoth(b, 11, at), fillBoth(c, 11, at), fillBoth(d, 11, at);
            const Events again = frames % 2 ? Events() : settingsEvents(kSettings);
            ASSERT_EQ(clap.process(a.inputs, a.outputs, frames, again), CLAP_PROCESS_CONTINUE);
            vst.process(b, frames);
            ASSERT_EQ(clap.process(c.inputs, c.outputs, frames), CLAP_PROCESS_CONTINUE);
            vst.process(d, frames);
            for (int ch = 0; ch < kOutputs; ++ch)
            {
                ASSERT_EQ(a.out[ch], b.out[ch]) << edition.id << ", output " << ch;
                ASSERT_EQ(c.out[ch], d.out[ch]) << edition.id << ", output " << ch;
            }
            at += frames;
        }
    }
}

// An event at frame 100 is reached at frame 100: from there on the output is that of a
// source that stands at the new place, and before it is not. A modulation adds to the
// automated azimuth and wraps round.
TEST(Clap, AnEventAtAFrameIsReachedAtThatFrame)
{
    const struct
    {
        const char* what;
        double from;
        Events events;
        double to;
    } cases[] = {
        {"a value", 0, Events().value(100, sferant::kAzimuth, 90), 90},
        {"a modulation", 170, Events().modulation(100, sferant::kAzimuth, 20), -170},
    };
    constexpr int kFrames = 256, kAt = 100;
    for (const auto& c : cases)
    {
        auto moving = warmInstance(kAmbixId, Source(c.from).settings);
        auto there = warmInstance(kAmbixId, Source(c.to).settings);
        Channels<float> a(kFrames), b(kFrames);
        fillBoth(a, 3, 64), fillBoth(b, 3, 64);
        moving->process(a.inputs, a.outputs, kFrames, c.events);
        there->process(b.inputs, b.outputs, kFrames);
        for (int ch = 0; ch < 4; ++ch)
            EXPECT_NEAR(a.out[ch][kAt], b.out[ch][kAt], 1e-6) << c.what << ", output " << ch;
        EXPECT_TRUE(sameOutputs(a, b, kAt + 1, kFrames)) << c.what;
        EXPECT_FALSE(sameOutputs(a, b, kAt - 10, kAt - 9)) << c.what;
    }
}

// The declaration follows the weight: while active it stays as at activation and the host
// is asked to restart; once deactivated it changes and the host hears of it.
TEST(Clap, TheAmbisonicDeclarationFollowsTheWeightAcrossARestart)
{
    ClapInstance clap(kAmbixId);
    const auto* ambisonic = clap.extension<clap_plugin_ambisonic_t>(CLAP_EXT_AMBISONIC);
    const auto config = [&]
    {
        clap_ambisonic_config_t c{9, 9};
        return ambisonic->get_config(clap.plugin, false, 0, &c)
                   ? int(c.ordering * 10 + c.normalization)
                   : -1;
    };
    const int acnSN3D = 11, acnN3D = 12, acnSN2D = 13;
    EXPECT_EQ(config(), acnSN3D);
    ASSERT_TRUE(clap.activate(kRate, 64));
    Channels<float> channels(64);
    clap.process(channels.inputs, channels.outputs, 64, Events().value(10, sferant::kWeight, 3));
    clap.process(channels.inputs, channels.outputs, 64, Events().value(0, sferant::kWeight, 3));
    EXPECT_EQ(clap.host.restartRequests, 1);
    EXPECT_EQ(config(), acnSN3D);
    EXPECT_EQ(clap.host.ambisonicChanges, 0);
    clap.deactivate();
    EXPECT_EQ(clap.host.ambisonicChanges, 1);
    EXPECT_EQ(config(), acnN3D);

    const struct
    {
        int weight, output, config, changes;
    } steps[] = {{4, 0, -1, 2}, {0, 0, -1, 2}, {0, 1, acnSN2D, 3}, {2, 1, acnSN3D, 4}};
    for (const auto& s : steps)
    {
        clap.flush(
            Events().value(0, sferant::kWeight, s.weight).value(0, sferant::kOutput, s.output));
        EXPECT_EQ(config(), s.config) << "weight " << s.weight << ", output " << s.output;
        EXPECT_EQ(clap.host.ambisonicChanges, s.changes);
    }
    const clap_ambisonic_config_t fuma{0, 0}, acn{1, 2};
    EXPECT_FALSE(ambisonic->is_config_supported(clap.plugin, &fuma));
    EXPECT_TRUE(ambisonic->is_config_supported(clap.plugin, &acn));
    EXPECT_FALSE(ambisonic->get_config(clap.plugin, true, 0, nullptr));
}

// What hosts may get wrong, each case on an active instance with the settings, after a block.
TEST(Clap, BadInputIsIgnoredOrRefusedAndChangesNothingElse)
{
    using Check = std::function<::testing::AssertionResult(ClapInstance&)>;
    // The instance's next block against a still source's at these settings, from frame `from`.
    const auto blockMatches =
        [](ClapInstance& clap, const Events& events, int frames, const Source& still, int from)
    {
        auto there = warmInstance(kAmbixId, still.settings, 4096);
        Channels<float> a(frames), b(frames);
        fillBoth(a, 5, 64), fillBoth(b, 5, 64);
        if (clap.process(a.inputs, a.outputs, frames, events) != CLAP_PROCESS_CONTINUE)
            return ::testing::AssertionFailure() << "the block was refused";
        there->process(b.inputs, b.outputs, frames);
        return sameOutputs(a, b, from, frames);
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        const char* what;
        Check check;
    } cases[] = {
        {"a block larger than activated",
         [&](ClapInstance& clap) { return blockMatches(clap, Events(), 1000, Source(30), 0); }},
        {"events out of order: the later in the list wins, at its predecessor's time",
         [&](ClapInstance& clap) {
             return blockMatches(clap, Events().value(50, 0, 90).value(10, 0, -30), 64, Source(-30),
                                 51);
         }},
        {"an event past the block's end: reached at the block's last frame",
         [&](ClapInstance& clap)
         {
             auto result = blockMatches(clap, Events().value(500, 0, 90), 64, Source(90), 63);
             return result && clap.value(0) == 90 ? result : ::testing::AssertionFailure();
         }},
        {"unknown parameter ids",
         [&](ClapInstance& clap)
         {
             return blockMatches(clap,
                                 Events().value(9, 9, 1).value(0, 1000, 1).modulation(0, 77, 1), 64,
                                 Source(30), 0);
         }},
        {"NaN values and modulations, and a modulation of a switch",
         [&](ClapInstance& clap)
         {
             return blockMatches(
                 clap,
                 Events().value(3, 0, nan).modulation(5, 0, nan).modulation(7, sferant::kOrder, 2),
                 64, Source(30), 0);
         }},
        {"a truncated state",
         [&](ClapInstance& clap)
         {
             const std::string state = warmInstance(kAmbixId, Source(90).settings)->save();
             if (clap.load(state.substr(0, state.size() - 1)))
                 return ::testing::AssertionFailure() << "loaded";
             return blockMatches(clap, Events(), 64, Source(30), 0);
         }},
        {"a foreign state",
         [&](ClapInstance& clap)
         {
             std::string state = warmInstance(kAmbixId, Source(90).settings)->save();
             state[0] = 'X';
             if (clap.load(state)) return ::testing::AssertionFailure() << "loaded";
             return blockMatches(clap, Events(), 64, Source(30), 0);
         }},
        {"a state read a byte at a time loads",
         [&](ClapInstance& clap)
         {
             const std::string state = warmInstance(kAmbixId, Source(90).settings)->save();
             if (!clap.load(state, 1)) return ::testing::AssertionFailure() << "refused";
             return clap.value(0) == 90 ? ::testing::AssertionSuccess()
                                        : ::testing::AssertionFailure() << clap.value(0);
         }},
        {"destroy without deactivate",
         [&](ClapInstance& clap)
         {
             clap.destroy();
             return ::testing::AssertionSuccess();
         }},
    };
    for (const auto& c : cases)
    {
        auto clap = warmInstance(kAmbixId, Source(30).settings);
        EXPECT_TRUE(c.check(*clap)) << c.what;
    }
}
