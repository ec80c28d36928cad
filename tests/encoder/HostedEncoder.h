// Test helpers: one effect instance reached through its record, as a host
// reaches it, and channel buffers for the processing calls.
#pragma once

#include "host/AudioEffect.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace sferant_test
{

inline VstIntPtr versionOnlyHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == 1 ? 2400 : 0; // audioMasterVersion
}

class HostedEncoder
{
  public:
    HostedEncoder() : record(createEffectInstance(versionOnlyHost)->getAeffect()) {}
    ~HostedEncoder() { dispatch(effClose); }
    HostedEncoder(const HostedEncoder&) = delete;
    HostedEncoder& operator=(const HostedEncoder&) = delete;

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f)
    {
        return record->dispatcher(record, opcode, index, value, ptr, opt);
    }

    void set(VstInt32 index, float value) { record->setParameter(record, index, value); }
    float get(VstInt32 index) { return record->getParameter(record, index); }

    // The text an opcode writes, starting from a buffer filled with '#'.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0)
    {
        char buffer[80];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        buffer[79] = 0;
        dispatch(opcode, index, value, buffer);
        return buffer;
    }

    void process(float** in, float** out, int frames)
    {
        record->processReplacing(record, in, out, frames);
    }
    void process(double** in, double** out, int frames)
    {
        record->processDoubleReplacing(record, in, out, frames);
    }

    AEffect* const record;
};

// Two input and 36 output channels of one length, with the pointer arrays a
// host passes.
template <class Sample> struct Channels
{
    explicit Channels(int frames, Sample fill = 0)
        : in(2, std::vector<Sample>(frames, 0)), out(36, std::vector<Sample>(frames, fill))
    {
        for (int c = 0; c < 2; ++c)
            inputs[c] = in[c].data();
        for (int c = 0; c < 36; ++c)
            outputs[c] = out[c].data();
    }
    Channels(const Channels&) = delete;
    Channels& operator=(const Channels&) = delete;

    std::vector<std::vector<Sample>> in, out;
    Sample* inputs[2];
    Sample* outputs[36];
};

} // namespace sferant_test
