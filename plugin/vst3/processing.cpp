// SPDX-License-Identifier: GPL-3.0-or-later
// The audio processor's blocks: the host's parameter queues become points at frames inside
// the block, the block runs in pieces of at most the announced length, and every output's
// silence flag says whether it is all zeros.
#include "plugin/vst3/Encoder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace sferant::vst3
{

namespace
{

template <class Sample> Sample** channelsOf(const v3_audio_bus_buffers& bus);
template <> float** channelsOf(const v3_audio_bus_buffers& bus)
{
    return bus.channel_buffers_32;
}
template <> double** channelsOf(const v3_audio_bus_buffers& bus)
{
    return bus.channel_buffers_64;
}

// A bus with at least one channel, each channel's buffer present.
template <class Sample> bool complete(const v3_audio_bus_buffers* buses, int32_t count)
{
    if (count < 1 || !buses || buses[0].num_channels < 1) return false;
    Sample* const* channels = channelsOf<Sample>(buses[0]);
    return channels && std::all_of(channels, channels + buses[0].num_channels,
                                   [](const Sample* c) { return c != nullptr; });
}

// Every sample zero, of either sign: the magnitudes' bits or-ed together in runs of 64, which
// vectorise, up to the first run with sound.
template <class Sample> bool silent(const Sample* channel, int frames)
{
    using Bits = std::conditional_t<sizeof(Sample) == 4, uint32_t, uint64_t>;
    constexpr Bits kMagnitude = ~Bits(0) >> 1;
    for (int start = 0; start < frames; start += 64)
    {
        Bits any = 0;
        for (int i = start, end = std::min(frames, start + 64); i < end; ++i)
        {
            Bits bits;
            std::memcpy(&bits, channel + i, sizeof bits);
            any |= bits & kMagnitude;
        }
        if (any) return false;
    }
    return true;
}

} // namespace

v3_result Encoder::process(v3_process_data& data)
{
    if (!active) return V3_NOT_INITIALIZED;
    const int frames = data.nframes;
    takeReloadedValues();
    processor->setParameters(current);
    gatherPoints(data.input_params, std::max(frames, 1));
    v3_result result = V3_OK;
    const bool wide = data.symbolic_sample_size == V3_SAMPLE_64;
    if (frames > 0)
    {
        const bool ready = wide ? complete<double>(data.inputs, data.num_input_buses) &&
                                      complete<double>(data.outputs, data.num_output_buses)
                                : complete<float>(data.inputs, data.num_input_buses) &&
                                      complete<float>(data.outputs, data.num_output_buses);
        if (!ready)
            result = V3_INVALID_ARG;
        else if (wide)
            run<double>(data, frames);
        else
            run<float>(data, frames);
    }
    // A block of no frames (or one refused) leaves its values for the next one.
    blockPoints.clear();
    processor->setParameters(current);
    return result;
}

template <class Sample> Sample* spareOf(std::vector<float>& s32, std::vector<double>& s64);
template <> float* spareOf(std::vector<float>& s32, std::vector<double>&)
{
    return s32.data();
}
template <> double* spareOf(std::vector<float>&, std::vector<double>& s64)
{
    return s64.data();
}

// The outputs the bus names are written; the others go to spare buffers, which are never
// read. A missing right input channel reads the left one.
template <class Sample> void Encoder::run(v3_process_data& data, int frames)
{
    const v3_audio_bus_buffers& inBus = data.inputs[0];
    const v3_audio_bus_buffers& outBus = data.outputs[0];
    Sample* const* inputs = channelsOf<Sample>(inBus);
    Sample* const* outputs = channelsOf<Sample>(outBus);
    const int named = std::min<int>(outBus.num_channels, kNumOutputs);
    Sample* spare = spareOf<Sample>(spare32, spare64);
    for (int start = 0; start < frames;)
    {
        const int end = std::min(frames, start + maxFrames);
        const Sample* in[kNumInputs];
        Sample* out[kNumOutputs];
        for (int c = 0; c < kNumInputs; ++c)
            in[c] = inputs[std::min(c, inBus.num_channels - 1)] + start;
        for (int c = 0; c < kNumOutputs; ++c)
            out[c] = c < named ? outputs[c] + start : spare + std::size_t(c) * maxFrames;
        piecePointsFor(start, end);
        processor->process(in, out, end - start, piecePoints);
        start = end;
    }
    setSilenceFlags(data, frames);
}

// Each queue's points in order of frames (one past the block's end at its last frame); a
// value whose point finds no room is still reached, in the next block.
void Encoder::gatherPoints(v3_param_changes** changes, int frames)
{
    const int32_t queues = changes ? v3_cpp_obj(changes)->get_param_count(changes) : 0;
    for (int32_t q = 0; q < queues; ++q)
    {
        v3_param_value_queue** queue = v3_cpp_obj(changes)->get_param_data(changes, q);
        if (!queue) continue;
        const v3_param_id id = v3_cpp_obj(queue)->get_param_id(queue);
        if (id >= static_cast<v3_param_id>(kNumParams)) continue;
        const int32_t points = v3_cpp_obj(queue)->get_point_count(queue);
        for (int32_t p = 0; p < points; ++p)
        {
            int32_t offset = 0;
            double value = 0;
            if (v3_cpp_obj(queue)->get_point(queue, p, &offset, &value) != V3_OK ||
                !(value >= 0 && value <= 1))
                continue;
            const float x = static_cast<float>(value);
            current[id] = x;
            automated[id].store(x, std::memory_order_relaxed);
            blockPoints.add(std::clamp(offset, 0, frames - 1), int(id), x);
        }
    }
}

void Encoder::piecePointsFor(int start, int end)
{
    piecePoints.clear();
    for (const ParameterPoint& p : blockPoints)
        if (p.frame >= start && p.frame < end) piecePoints.add(p.frame - start, p.index, p.value);
}

void Encoder::setSilenceFlags(v3_process_data& data, int frames) const
{
    v3_audio_bus_buffers& bus = data.outputs[0];
    const int flagged = std::min(bus.num_channels, 64);
    bus.channel_silence_bitset = 0;
    for (int c = 0; c < flagged; ++c)
    {
        const bool quiet = data.symbolic_sample_size == V3_SAMPLE_64
                               ? silent(bus.channel_buffers_64[c], frames)
                               : silent(bus.channel_buffers_32[c], frames);
        if (quiet) bus.channel_silence_bitset |= 1ull << c;
    }
}

// A state loaded while active: the block glides to it.
void Encoder::takeReloadedValues()
{
    if (!reloaded.exchange(false)) return;
    for (int i = 0; i < kNumParams; ++i)
        current[i] = automated[i].load();
}

} // namespace sferant::vst3
