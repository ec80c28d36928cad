// SPDX-License-Identifier: GPL-3.0-or-later
// One effect instance driven only through its record, as a host drives it, and the channel
// buffers a host hands to the processing calls.
#pragma once

#include "RecordingHost.h"
#include "core/parameters.h"
#include "host/aeffect.h"

#include <string>
#include <vector>

namespace sferant_test
{

constexpr int kInputs = 2;
constexpr int kOutputs = 36;

// A parent window for effEditOpen when there is no display: the editor then opens as a frame
// without a window of its own.
inline void* const kNoWindow = reinterpret_cast<void*>(0x1);

template <class Sample> struct Channels;

class HostedEffect
{
  public:
    // An instance made by the effect linked into this program (its createEffectInstance).
    explicit HostedEffect(audioMasterCallback host = quietHost);
    // An instance a module's entry point gave; must not be null.
    explicit HostedEffect(AEffect* record);
    // Closes the instance (effClose destroys it) unless it is closed already.
    ~HostedEffect();
    HostedEffect(const HostedEffect&) = delete;
    HostedEffect& operator=(const HostedEffect&) = delete;

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);
    void set(VstInt32 index, float value) { record->setParameter(record, index, value); }
    float get(VstInt32 index) { return record->getParameter(record, index); }
    void setAll(const float (&values)[sferant::kNumParams]);
    // The text an opcode writes, starting from a buffer filled with '#'.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);

    // The host's usual start: sample rate, maximum block size, then effMainsChanged 1.
    void start(float sampleRate, int maxBlock);
    void process(float** inputs, float** outputs, int frames);
    void process(double** inputs, double** outputs, int frames);
    template <class Sample> void process(Channels<Sample>& channels, int frames)
    {
        process(channels.inputs, channels.outputs, frames);
    }
    // effClose now; the destructor then does nothing.
    void close();

    AEffect* const record;

  private:
    bool open = true;
};

// Two input and 36 output channels of one length, with the pointer arrays a host passes:
// inputs silent, outputs filled with `fill`. Every channel holds at least one sample, so no
// pointer is null even for zero frames.
template <class Sample> struct Channels
{
    explicit Channels(int frames, Sample fill = 0);
    Channels(const Channels&) = delete;
    Channels& operator=(const Channels&) = delete;

    // Every output sample in the first frames is finite.
    bool outputsFinite(int frames) const;

    std::vector<std::vector<Sample>> in, out;
    Sample* inputs[kInputs];
    Sample* outputs[kOutputs];
};

// A test signal: a seeded mix of a low and a high sine with a little noise.
template <class Sample>
void fillSignal(std::vector<Sample>& samples, unsigned seed, long startFrame);

} // namespace sferant_test
