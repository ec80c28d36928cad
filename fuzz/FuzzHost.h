// The host side shared by the effect targets: an instance reached through its
// record, and channel buffers for the processing calls.
#pragma once

#include "host/AudioEffect.h"

#include <vector>

namespace fuzz
{

constexpr int kInputs = 2;
constexpr int kOutputs = 36;

// A new instance through the factory, answering the host's version query as
// the entry point does; closed (and destroyed) with effClose.
AEffect* createEffect();
void closeEffect(AEffect* effect);

// Two inputs and 36 outputs of `frames` samples each, with the pointer arrays
// a host passes.
template <class Sample> struct Channels
{
    explicit Channels(int frames);
    Channels(const Channels&) = delete;
    Channels& operator=(const Channels&) = delete;

    // processReplacing or processDoubleReplacing, whichever fits Sample.
    void process(AEffect* effect, int frames);

    std::vector<Sample> storage;
    Sample* inputs[kInputs];
    Sample* outputs[kOutputs];
};

} // namespace fuzz
