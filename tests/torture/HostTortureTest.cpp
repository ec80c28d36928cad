// SPDX-License-Identifier: GPL-3.0-or-later
// A host that does everything hosts are allowed to do, and some things they
// do anyway: the effect must survive all of it with finite output.
#include "ModuleInstance.h"
#include "XServer.h"
#include "core/parameters.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sferant_test
{
namespace
{

// NFC on near the head, fifth order, N3D, stereo, full sphere: the largest gains.
constexpr float kLoudest[sferant::kNumParams] = {0.3f, 0.7f,  1.0f, 0.0f, 0.4f,
                                                 1.0f, 0.75f, 1.0f, 0.0f};
constexpr float kQuiet[sferant::kNumParams] = {0.9f,  0.2f, 0.0f, 0.6f, 0.1f,
                                               0.25f, 1.0f, 0.0f, 1.0f};

// The same input into an instance fed in blocks of one size and into a
// reference fed in one block: the outputs must agree bit for bit.
template <class Sample> void expectBlockSizeIrrelevant(int blockSize, int announced)
{
    constexpr int kTotal = 16384;
    ModuleInstance chunked, whole;
    chunked.setAll(kLoudest);
    whole.setAll(kLoudest);
    chunked.start(48000.0f, announced);
    whole.start(48000.0f, kTotal);

    Channels<Sample> reference(kTotal);
    fillSignal(reference.in[0], 1, 0);
    fillSignal(reference.in[1], 2, 0);
    whole.process(reference, kTotal);

    for (int offset = 0; offset < kTotal; offset += blockSize)
    {
        const int frames = std::min(blockSize, kTotal - offset);
        Channels<Sample> block(frames);
        for (int c = 0; c < kInputs; ++c)
            std::copy_n(reference.in[c].begin() + offset, frames, block.in[c].begin());
        chunked.process(block, frames);
        for (int c = 0; c < kOutputs; ++c)
            ASSERT_TRUE(std::equal(block.out[c].begin(), block.out[c].end(),
                                   reference.out[c].begin() + offset))
                << "output " << c << " differs in the block at frame " << offset;
    }
}

TEST(HostTorture, blockSizeDoesNotChangeTheOutput)
{
    struct Case
    {
        int blockSize, announced;
    };
    // The last case is larger than the block size the host announced.
    for (Case c : {Case{1, 1}, {2, 2}, {3, 3}, {511, 511}, {4096, 4096}, {8192, 64}})
    {
        SCOPED_TRACE(c.blockSize);
        expectBlockSizeIrrelevant<float>(c.blockSize, c.announced);
        expectBlockSizeIrrelevant<double>(c.blockSize, c.announced);
    }
}

TEST(HostTorture, twoInstancesNeverSeeEachOthersValues)
{
    ModuleInstance a, b;
    for (int i = 0; i < sferant::kNumParams; ++i)
    {
        a.set(i, kLoudest[i]);
        b.set(i, kQuiet[i]);
    }
    for (int i = 0; i < sferant::kNumParams; ++i)
    {
        EXPECT_EQ(a.get(i), kLoudest[i]) << "parameter " << i;
        EXPECT_EQ(b.get(i), kQuiet[i]) << "parameter " << i;
    }
    EXPECT_STREQ(a.text(effGetParamDisplay, 5).c_str(), "5th");
    EXPECT_STREQ(b.text(effGetParamDisplay, 5).c_str(), "2nd");
}

TEST(HostTorture, twoInstancesKeepTheirOwnFilterHistories)
{
    // a and b run interleaved; alone runs a's settings by itself.
    ModuleInstance a, b, alone;
    a.setAll(kLoudest);
    alone.setAll(kLoudest);
    b.setAll(kQuiet);
    for (ModuleInstance* effect : {&a, &b, &alone})
        effect->start(44100.0f, 256);

    for (int block = 0; block < 40; ++block)
    {
        Channels<float> forA(256), forB(256), forAlone(256);
        for (int c = 0; c < kInputs; ++c)
        {
            fillSignal(forA.in[c], c, block * 256);
            fillSignal(forB.in[c], c + 7, block * 256);
            forAlone.in[c] = forA.in[c];
        }
        a.process(forA, 256);
        b.process(forB, 256);
        alone.process(forAlone, 256);
        ASSERT_EQ(forA.out, forAlone.out) << "block " << block;
    }
}

TEST(HostTorture, togglingMainsBetweenBlocksContinuesTheStream)
{
    ModuleInstance toggled, steady;
    toggled.setAll(kLoudest);
    steady.setAll(kLoudest);
    toggled.start(48000.0f, 300);
    steady.start(48000.0f, 300);

    for (int block = 0; block < 30; ++block)
    {
        Channels<double> forToggled(300), forSteady(300);
        for (int c = 0; c < kInputs; ++c)
        {
            fillSignal(forToggled.in[c], c, block * 300);
            forSteady.in[c] = forToggled.in[c];
        }
        toggled.dispatch(effMainsChanged, 0, 0);
        toggled.dispatch(effMainsChanged, 0, 1);
        toggled.process(forToggled, 300);
        steady.process(forSteady, 300);
        ASSERT_EQ(forToggled.out, forSteady.out) << "block " << block;
    }
}

TEST(HostTorture, sampleRateChangesMidStreamKeepOutputsFinite)
{
    ModuleInstance effect;
    effect.setAll(kLoudest);
    effect.start(44100.0f, 512);
    long frame = 0;
    for (float rate : {8000.0f, 384000.0f, 11025.0f, 192000.0f, 22050.0f, 96000.0f, 8000.0f,
                       48000.0f, 384000.0f})
    {
        SCOPED_TRACE(rate);
        // Some hosts suspend around the change, some do not.
        if (rate < 50000.0f) effect.dispatch(effMainsChanged, 0, 0);
        effect.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        effect.dispatch(effMainsChanged, 0, 1);
        for (float distance : {0.0f, 1.0f, 0.01f})
        {
            effect.set(sferant::kDistance, distance);
            Channels<float> single(512);
            Channels<double> twice(512);
            for (int c = 0; c < kInputs; ++c)
            {
                fillSignal(single.in[c], c, frame);
                fillSignal(twice.in[c], c, frame + 512);
            }
            effect.process(single, 512);
            effect.process(twice, 512);
            frame += 1024;
            EXPECT_TRUE(single.outputsFinite(512)) << "distance " << distance;
            EXPECT_TRUE(twice.outputsFinite(512)) << "distance " << distance;
        }
    }
}

TEST(HostTorture, everySwitchCombinationKeepsOutputsFinite)
{
    ModuleInstance effect;
    effect.start(48000.0f, 64);
    long frame = 0;
    for (float nfc : {0.0f, 1.0f})
        for (float order : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f})
            for (float weight : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f})
                for (float input : {0.0f, 1.0f})
                    for (float output : {0.0f, 1.0f})
                        for (float distance : {0.0f, 1.0f})
                        {
                            const float values[sferant::kNumParams] = {
                                0.1f, 0.95f, nfc, distance, 1.0f, order, weight, input, output};
                            effect.setAll(values);
                            Channels<float> block(64);
                            fillSignal(block.in[0], 3, frame);
                            fillSignal(block.in[1], 4, frame);
                            effect.process(block, 64);
                            frame += 64;
                            ASSERT_TRUE(block.outputsFinite(output == 1.0f ? 11 : kOutputs))
                                << nfc << " " << order << " " << weight << " " << input << " "
                                << output << " " << distance;
                        }
}

TEST(HostTorture, aBlockOfNoFramesWritesNothing)
{
    ModuleInstance effect;
    effect.start(48000.0f, 32);
    for (int frames : {0, -1, -4096})
    {
        Channels<float> single(32, -12345.0f);
        Channels<double> twice(32, -12345.0);
        effect.process(single, frames);
        effect.process(twice, frames);
        EXPECT_EQ(single.out[0][0], -12345.0f) << frames;
        EXPECT_EQ(twice.out[35][31], -12345.0) << frames;
    }
}

TEST(HostTorture, closingWithTheEditorOpenFreesEverything)
{
    // Without a display the editor opens as a frame without a window.
    NoDisplay headless;
    ModuleInstance effect;
    EXPECT_EQ(effect.dispatch(effEditOpen, 0, 0, kNoWindow), 1);
    effect.dispatch(effEditIdle);
    effect.set(sferant::kAzimuth, 0.2f);
    effect.dispatch(effEditIdle);
    effect.close();
}

} // namespace
} // namespace sferant_test
