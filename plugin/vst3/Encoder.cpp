// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/vst3/Encoder.h"

#include "plugin/vst3/View.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <new>

namespace sferant::vst3
{

namespace
{

constexpr int kAcceptedOutputs[] = {4, 9, 16, kNumOutputs};
constexpr v3_speaker_arrangement kStereo = V3_SPEAKER_L | V3_SPEAKER_R;
// The output's arrangement: one bit per channel, 0 to n - 1 (no Ambisonic speakers exist
// among the arrangement's bits).
constexpr v3_speaker_arrangement channelBits(int channels)
{
    return channels >= 64 ? ~0ull : (1ull << channels) - 1;
}
int channelCount(v3_speaker_arrangement arrangement)
{
    return static_cast<int>(std::bitset<64>(arrangement).count());
}

} // namespace

Encoder::Encoder(const Edition& edition)
    : edition(edition), inputArrangement(kStereo), outputArrangement(channelBits(kNumOutputs))
{
    for (int i = 0; i < kNumParams; ++i)
    {
        current[i] = defaultValue(edition, i);
        automated[i].store(current[i]);
    }
    bindTables();
}

Encoder::~Encoder()
{
    if (view) view->forgetEncoder();
    if (handler) v3_cpp_obj_unref(handler);
}

uint32_t Encoder::unref()
{
    const uint32_t left = --references;
    if (!left) delete this;
    return left;
}

v3_result Encoder::initialize(v3_funknown**)
{
    ++initialized;
    if (!processor) processor.reset(new (std::nothrow) BlockProcessor(edition.channelOrder));
    return processor ? V3_OK : V3_NOMEM;
}

v3_result Encoder::terminate()
{
    if (!initialized) return V3_FALSE;
    if (--initialized) return V3_OK;
    setActive(false);
    if (handler) v3_cpp_obj_unref(handler);
    handler = nullptr;
    return V3_OK;
}

int32_t Encoder::busCount(int32_t type, int32_t) const
{
    return type == V3_AUDIO ? 1 : 0;
}

v3_result Encoder::busInfo(int32_t type, int32_t direction, int32_t index, v3_bus_info& info) const
{
    if (type != V3_AUDIO || index != 0 || (direction != V3_INPUT && direction != V3_OUTPUT))
        return V3_INVALID_ARG;
    info = {};
    info.media_type = V3_AUDIO;
    info.direction = direction;
    info.channel_count = direction == V3_INPUT ? inputChannels : outputChannels;
    toUtf16(direction == V3_INPUT ? "Input" : "Ambisonic output", info.bus_name, 128);
    info.bus_type = V3_MAIN;
    info.flags = V3_DEFAULT_ACTIVE;
    return V3_OK;
}

// Any one or two input channels; an output of (n + 1)^2 channels for n = 1, 2, 3 or 5 gets
// the first (n + 1)^2 outputs.
v3_result Encoder::setArrangements(const v3_speaker_arrangement* inputs, int32_t numInputs,
                                   const v3_speaker_arrangement* outputs, int32_t numOutputs)
{
    if (active || numInputs != 1 || numOutputs != 1 || !inputs || !outputs) return V3_FALSE;
    const int in = channelCount(inputs[0]), out = channelCount(outputs[0]);
    if ((in != 1 && in != 2) || std::find(std::begin(kAcceptedOutputs), std::end(kAcceptedOutputs),
                                          out) == std::end(kAcceptedOutputs))
        return V3_FALSE;
    inputArrangement = inputs[0];
    outputArrangement = outputs[0];
    inputChannels = in;
    outputChannels = out;
    return V3_OK;
}

v3_result Encoder::arrangement(int32_t direction, int32_t index, v3_speaker_arrangement& out) const
{
    if (index != 0 || (direction != V3_INPUT && direction != V3_OUTPUT)) return V3_INVALID_ARG;
    out = direction == V3_INPUT ? inputArrangement : outputArrangement;
    return V3_OK;
}

v3_result Encoder::setupProcessing(const v3_process_setup& setup)
{
    if (active || !(setup.sample_rate > 0) || setup.max_block_size <= 0) return V3_FALSE;
    sampleRate = setup.sample_rate;
    maxFrames = std::min(setup.max_block_size, 1 << 16);
    return V3_OK;
}

// Everything the audio side needs is made here, before the first block.
v3_result Encoder::setActive(bool on)
{
    if (!on || active == on)
    {
        active = on && active;
        return V3_OK;
    }
    if (!processor) return V3_NOT_INITIALIZED;
    try
    {
        spare32.assign(std::size_t(kNumOutputs) * maxFrames, 0.0f);
        spare64.assign(std::size_t(kNumOutputs) * maxFrames, 0.0);
    }
    catch (const std::bad_alloc&)
    {
        return V3_NOMEM;
    }
    for (int i = 0; i < kNumParams; ++i)
        current[i] = automated[i].load();
    reloaded = false;
    processor->prepare(sampleRate, maxFrames);
    processor->setParameters(current);
    processor->reset();
    active = true;
    return V3_OK;
}

v3_result Encoder::setProcessing(bool processing)
{
    if (processing && processor) processor->skipNextGlide();
    return V3_OK;
}

} // namespace sferant::vst3
