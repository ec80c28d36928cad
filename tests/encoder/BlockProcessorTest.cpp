// SPDX-License-Identifier: GPL-3.0-or-later
// The block processor on its own, as every plug-in format drives it: prepare, reset,
// parameters, process.
#include "HostedEffect.h"

#include "core/BlockProcessor.h"
#include "core/FlushDenormals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

using namespace sferant_test;

// Every allocation through operator new in this program is counted, so that a test can tell
// that a stretch of code made none.
namespace
{
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

// Not inlined: where GCC sees free() on what a new-expression made, it warns of a mismatch.
__attribute__((noinline)) void operator delete(void* p) noexcept
{
    std::free(p);
}

__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace
{

constexpr double kRate = 48000;
constexpr int kFrames = 300; // more than a chunk, not a multiple of one

// Fifth order, stereo with a width, near-field compensation at 0.6 m, N3D.
constexpr float kNearField[sferant::kNumParams] = {0.3f, 0.6f, 1, 0.05f, 0.3f, 1, 0.75f, 1, 0};

std::unique_ptr<sferant::BlockProcessor>
preparedProcessor(const float (&values)[sferant::kNumParams])
{
    auto processor = std::make_unique<sferant::BlockProcessor>();
    processor->prepare(kRate, kFrames);
    processor->setParameters(values);
    return processor;
}

template <class Sample> void fillInputs(Channels<Sample>& channels, unsigned seed)
{
    fillSignal(channels.in[0], seed, 0);
    fillSignal(channels.in[1], seed + 1, 0);
}

template <class Sample>
void expectSameOutputs(const Channels<Sample>& a, const Channels<Sample>& b, const char* what)
{
    for (int c = 0; c < kOutputs; ++c)
        ASSERT_EQ(a.out[c], b.out[c]) << what << ", output " << c;
}

} // namespace

TEST(BlockProcessor, ResetForgetsTheFiltersMemory)
{
    Channels<double> fresh(kFrames), resetOne(kFrames);
    fillInputs(fresh, 5);
    fillInputs(resetOne, 5);
    auto processor = preparedProcessor(kNearField);
    processor->process(resetOne.inputs, resetOne.outputs, kFrames);
    processor->reset();
    processor->process(resetOne.inputs, resetOne.outputs, kFrames);
    preparedProcessor(kNearField)->process(fresh.inputs, fresh.outputs, kFrames);
    expectSameOutputs(fresh, resetOne, "after a reset");
}

TEST(BlockProcessor, CarriesTheFiltersMemoryFromBlockToBlock)
{
    Channels<double> whole(2 * kFrames), halves(kFrames);
    fillInputs(whole, 7);
    auto once = preparedProcessor(kNearField);
    once->process(whole.inputs, whole.outputs, 2 * kFrames);
    auto twice = preparedProcessor(kNearField);
    for (int half = 0; half < 2; ++half)
    {
        for (int c = 0; c < kInputs; ++c)
            std::copy_n(whole.in[c].begin() + half * kFrames, kFrames, halves.in[c].begin());
        twice->process(halves.inputs, halves.outputs, kFrames);
        for (int c = 0; c < kOutputs; ++c)
            ASSERT_TRUE(std::equal(halves.out[c].begin(), halves.out[c].end(),
                                   whole.out[c].begin() + half * kFrames))
                << "half " << half << ", output " << c;
    }
}

TEST(BlockProcessor, FlushesDenormalsWhileItRunsAndRestoresTheCallersMode)
{
    const unsigned callersMode = sferant::FlushDenormals::mode();
    sferant::FlushDenormals::setMode(callersMode & ~(sferant::FlushDenormals::kFlushToZero |
                                                     sferant::FlushDenormals::kDenormalsAreZero));
    const unsigned plainMode = sferant::FlushDenormals::mode();
    Channels<double> channels(kFrames);
    for (auto& input : channels.in)
        std::fill(input.begin(), input.end(), 1e-310);
    preparedProcessor(kNearField)->process(channels.inputs, channels.outputs, kFrames);
    EXPECT_EQ(sferant::FlushDenormals::mode(), plainMode);
    sferant::FlushDenormals::setMode(callersMode);
    for (int c = 0; c < kOutputs; ++c)
        for (double s : channels.out[c])
            ASSERT_EQ(s, 0.0) << "output " << c << ": a denormal input counts as silence";
}

TEST(BlockProcessor, ANewRateTakesEffectAtTheNextBlock)
{
    Channels<double> at96(kFrames), changed(kFrames);
    fillInputs(at96, 9);
    fillInputs(changed, 9);
    auto processor = preparedProcessor(kNearField);
    processor->prepare(96000, kFrames);
    processor->process(changed.inputs, changed.outputs, kFrames);
    auto other = std::make_unique<sferant::BlockProcessor>();
    other->prepare(96000, kFrames);
    other->setParameters(kNearField);
    other->process(at96.inputs, at96.outputs, kFrames);
    expectSameOutputs(at96, changed, "prepared again at 96 kHz");
}

// The VST host's resume: the block after it starts at its values, and the filters go on
// from where they were (their memory does not depend on the direction).
TEST(BlockProcessor, SkipNextGlideStartsTheBlockAtItsValuesAndKeepsTheFiltersMemory)
{
    float turned[sferant::kNumParams];
    std::copy(std::begin(kNearField), std::end(kNearField), turned);
    turned[sferant::kAzimuth] = 0.9f;
    Channels<double> skipped(kFrames), gliding(kFrames), there(kFrames);
    for (auto* channels : {&skipped, &gliding, &there})
        fillInputs(*channels, 11);
    auto skipping = preparedProcessor(kNearField);
    auto glidingOne = preparedProcessor(kNearField);
    auto standing = preparedProcessor(kNearField);
    standing->setParameters(turned);
    skipping->process(skipped.inputs, skipped.outputs, kFrames);
    glidingOne->process(gliding.inputs, gliding.outputs, kFrames);
    standing->process(there.inputs, there.outputs, kFrames);
    skipping->setParameters(turned);
    skipping->skipNextGlide();
    glidingOne->setParameters(turned);
    skipping->process(skipped.inputs, skipped.outputs, kFrames);
    glidingOne->process(gliding.inputs, gliding.outputs, kFrames);
    standing->process(there.inputs, there.outputs, kFrames);
    expectSameOutputs(there, skipped, "the block after skipNextGlide");
    EXPECT_NE(gliding.out, there.out) << "a block that glides";
}

TEST(BlockProcessor, MovingAndSwitchingBlocksAllocateNothing)
{
    Channels<float> channels(kFrames);
    fillInputs(channels, 13);
    auto processor = preparedProcessor(kNearField);
    float values[sferant::kNumParams];
    std::copy(std::begin(kNearField), std::end(kNearField), values);
    processor->process(channels.inputs, channels.outputs, kFrames);
    const long before = allocations;
    for (int block = 0; block < 24; ++block)
    {
        values[sferant::kAzimuth] = block * 0.04f;
        values[sferant::kElevation] = 1 - block * 0.04f;
        values[sferant::kDistance] = block * 0.04f;
        values[sferant::kWidth] = block * 0.03f;
        if (block % 6 == 5) values[sferant::kOrder] = (block % 5) / 4.0f;
        if (block % 8 == 7) values[sferant::kNFC] = 1 - values[sferant::kNFC];
        processor->setParameters(values);
        processor->process(channels.inputs, channels.outputs, kFrames);
    }
    EXPECT_EQ(allocations - before, 0);
}

// The stereo settings fading out read the left input when the host passes no right one.
TEST(BlockProcessor, ASwitchFromStereoToMonoNeedsNoSecondInput)
{
    Channels<double> channels(kFrames);
    fillInputs(channels, 17);
    auto processor = preparedProcessor(kNearField);
    processor->process(channels.inputs, channels.outputs, kFrames);
    float mono[sferant::kNumParams];
    std::copy(std::begin(kNearField), std::end(kNearField), mono);
    mono[sferant::kInput] = 0;
    processor->setParameters(mono);
    channels.inputs[1] = nullptr;
    processor->process(channels.inputs, channels.outputs, kFrames);
    EXPECT_TRUE(channels.outputsFinite(kFrames));
}

// Memory the processor has not written yet is garbage, here NaN in every byte: a switch,
// which crossfades every channel, must not read a channel above the order from signals no
// filter wrote.
TEST(BlockProcessor, ASwitchReadsNoSignalTheFiltersDidNotWrite)
{
    alignas(sferant::BlockProcessor) unsigned char memory[sizeof(sferant::BlockProcessor)];
    std::memset(memory, 0xFF, sizeof memory);
    auto* processor = new (memory) sferant::BlockProcessor();
    processor->prepare(kRate, kFrames);
    Channels<double> channels(kFrames);
    fillInputs(channels, 19);
    float values[sferant::kNumParams] = {0.3f, 0.6f, 1, 0.05f, 0.3f, 0, 0.25f, 1, 0};
    processor->setParameters(values);
    processor->process(channels.inputs, channels.outputs, kFrames);
    values[sferant::kOrder] = 0.25f;
    processor->setParameters(values);
    processor->process(channels.inputs, channels.outputs, kFrames);
    EXPECT_TRUE(channels.outputsFinite(kFrames));
    processor->~BlockProcessor();
}

// A value at a point is reached at the point's frame, as at the last frame of a block that
// ends there; a switch starts at its frame, as with a block that starts there, and its fade
// goes on across a later point.
TEST(BlockProcessor, PointsEncodeAsBlocksThatEndAtAMoveAndStartAtASwitch)
{
    float moved[sferant::kNumParams], switched[sferant::kNumParams];
    std::copy(std::begin(kNearField), std::end(kNearField), moved);
    moved[sferant::kAzimuth] = 0.4f;
    std::copy(std::begin(moved), std::end(moved), switched);
    switched[sferant::kOrder] = 0.5f;
    auto pointed = preparedProcessor(kNearField), split = preparedProcessor(kNearField);
    Channels<float> a(kFrames), b(kFrames);
    fillInputs(a, 5);
    fillInputs(b, 5);
    pointed->process(a.inputs, a.outputs, kFrames);
    split->process(b.inputs, b.outputs, kFrames);

    auto points = std::make_unique<sferant::ParameterPoints>();
    points->add(230, sferant::kAzimuth, 0.4f); // no change: the fade goes on across it
    points->add(200, sferant::kOrder, 0.5f);
    points->add(99, sferant::kAzimuth, 0.4f);
    pointed->process(a.inputs, a.outputs, kFrames, *points);
    const struct
    {
        int from, to;
        const float (&values)[sferant::kNumParams];
    } blocks[] = {{0, 100, moved}, {100, 200, moved}, {200, kFrames, switched}};
    for (const auto& block : blocks)
    {
        const float* in[kInputs] = {b.inputs[0] + block.from, b.inputs[1] + block.from};
        float* out[kOutputs];
        for (int c = 0; c < kOutputs; ++c)
            out[c] = b.outputs[c] + block.from;
        split->setParameters(block.values);
        split->process(in, out, block.to - block.from);
    }
    expectSameOutputs(a, b, "points against blocks");
}

// A host that automates once a block sends its values at each block's first frame: the
// source glides across the block as with values set between blocks, with no step.
TEST(BlockProcessor, MovesAtABlocksFirstFrameGlideAsValuesSetBetweenBlocks)
{
    auto pointed = preparedProcessor(kNearField), between = preparedProcessor(kNearField);
    Channels<float> a(kFrames), b(kFrames);
    fillInputs(a, 7);
    fillInputs(b, 7);
    float values[sferant::kNumParams];
    std::copy(std::begin(kNearField), std::end(kNearField), values);
    auto points = std::make_unique<sferant::ParameterPoints>();
    for (float azimuth : {0.5f, 0.45f, 0.3f})
    {
        values[sferant::kAzimuth] = azimuth;
        values[sferant::kDistance] = azimuth * 0.5f;
        points->clear();
        points->add(0, sferant::kAzimuth, azimuth);
        points->add(0, sferant::kDistance, azimuth * 0.5f);
        pointed->process(a.inputs, a.outputs, kFrames, *points);
        between->setParameters(values);
        between->process(b.inputs, b.outputs, kFrames);
        expectSameOutputs(a, b, "values at the first frame against values between blocks");
    }
}
