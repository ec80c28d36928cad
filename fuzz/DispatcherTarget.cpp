// SPDX-License-Identifier: GPL-3.0-or-later
// Every opcode with arbitrary index, value and opt. Pointer arguments are
// always buffers a host could pass: the contracts of these opcodes make a
// host's pointer meaningful only in a specific form, so the form is kept and
// only the content is arbitrary:
//   - ptr is null or a zeroed 4 KB buffer (text opcodes read a terminated
//     text from it; the rest write records or pointers into it);
//   - 42 and 69 take value as a pointer too: it is a second 4 KB buffer;
//   - 24 (effSetChunk) takes value as the byte size of ptr: at most 4 KB;
//   - 14 (effEditOpen) takes the host's parent window: it gets null. The
//     target links no window system, so the effect has the windowless editor
//     (the torture and lifecycle tests open the real one);
//   - 1 (effClose) ends the instance and so comes only last.
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "HostedEffect.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace fuzz
{

using namespace sferant_test;

namespace
{

constexpr size_t kBufferSize = 4096;
constexpr int kFrames = 256;

float anyOpt(FuzzInput& in)
{
    constexpr float kNotable[] = {0.0f,
                                  1.0f,
                                  -1.0f,
                                  44100.0f,
                                  8000.0f,
                                  384000.0f,
                                  1e-40f,
                                  std::numeric_limits<float>::quiet_NaN(),
                                  std::numeric_limits<float>::infinity(),
                                  -std::numeric_limits<float>::infinity(),
                                  std::numeric_limits<float>::max()};
    const uint8_t choice = in.byte();
    if (choice < sizeof kNotable / sizeof kNotable[0]) return kNotable[choice];
    return choice < 0xC0 ? in.raw<float>() : static_cast<float>(choice - 0xC0);
}

// Small numbers most of the time, any number some of the time.
template <class T> T anyNumber(FuzzInput& in)
{
    const uint8_t choice = in.byte();
    if (choice < 0xE0) return static_cast<T>(static_cast<int>(choice) - 16);
    return in.raw<T>();
}

VstInt32 anyOpcode(FuzzInput& in)
{
    const uint8_t choice = in.byte();
    return choice < 0xF0 ? choice % 82 : in.raw<VstInt32>();
}

class Buffers
{
  public:
    // Zeroes both buffers and, if the input says so, writes a text into the
    // first one (always terminated).
    void prepare(FuzzInput& in)
    {
        std::memset(first, 0, sizeof first);
        std::memset(second, 0, sizeof second);
        const size_t length = in.byte() % 48;
        for (size_t i = 0; i < length; ++i)
            first[i] = static_cast<char>(in.byte());
    }

    alignas(16) char first[kBufferSize];
    alignas(16) char second[kBufferSize];
};

void touchRect(const ERect* rect)
{
    volatile int sum = rect->top + rect->left + rect->bottom + rect->right;
    (void)sum;
}

void dispatchOne(AEffect* effect, FuzzInput& in, Buffers& buffers)
{
    const VstInt32 opcode = anyOpcode(in);
    if (opcode == effClose) return;
    const VstInt32 index = anyNumber<VstInt32>(in);
    VstIntPtr value = anyNumber<VstIntPtr>(in);
    const float opt = anyOpt(in);
    buffers.prepare(in);
    void* ptr = in.byte() % 8 == 0 ? nullptr : buffers.first;

    if (opcode == effEditOpen) ptr = nullptr;
    if (opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement)
        value = reinterpret_cast<VstIntPtr>(buffers.second);
    if (opcode == effSetChunk)
        value = static_cast<VstIntPtr>(static_cast<size_t>(value) % (kBufferSize + 1));

    const VstIntPtr result = effect->dispatcher(effect, opcode, index, value, ptr, opt);
    if (opcode == effEditGetRect && result == 1)
    {
        ERect* rect = nullptr;
        std::memcpy(&rect, buffers.first, sizeof rect);
        check(rect != nullptr, "effEditGetRect answered 1 without a rectangle");
        touchRect(rect);
    }
}

template <class Sample> void processBlock(HostedEffect& effect, FuzzInput& in)
{
    Channels<Sample> channels(kFrames);
    for (int c = 0; c < kInputs; ++c)
        for (int i = 0; i < kFrames; ++i)
            channels.inputs[c][i] = static_cast<Sample>(((i * 37 + c * 11) % 64 - 32) / 32.0);
    effect.process(channels, in.byte() % (kFrames + 1));
}

void processAudio(HostedEffect& effect, FuzzInput& in)
{
    effect.start(48000.0f, kFrames);
    effect.set(sferant::kNFC, 1.0f);   // near-field filters on
    effect.set(sferant::kOrder, 1.0f); // fifth order
    processBlock<float>(effect, in);
    processBlock<double>(effect, in);
}

} // namespace

void dispatcherTarget(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    HostedEffect effect;
    effect.dispatch(effOpen);
    static Buffers buffers;
    if (in.byte() % 2) processAudio(effect, in);
    while (!in.empty())
    {
        if (in.byte() % 4 == 0)
            in.byte() % 2 ? processBlock<float>(effect, in) : processBlock<double>(effect, in);
        else
            dispatchOne(effect.record, in, buffers);
    }
}

} // namespace fuzz
