// SPDX-License-Identifier: GPL-3.0-or-later
// The component's state: a tag that names the format and its version, then the nine
// normalised values as little-endian 32-bit floats, in parameter order.
#include "plugin/vst3/Encoder.h"

#include <cstdint>
#include <cstring>

namespace sferant::vst3
{

namespace
{

constexpr char kTag[8] = {'S', 'f', 'V', 'S', 'T', '3', 0, 1};
constexpr int32_t kStateSize = sizeof kTag + 4 * kNumParams;

// Streams may move fewer bytes than asked for: the transfer loops until done or failed.
template <class Call> bool transferAll(v3_bstream** stream, Call call, unsigned char* data)
{
    for (int32_t left = kStateSize; left > 0;)
    {
        int32_t done = 0;
        if (call(stream, data + (kStateSize - left), left, &done) != V3_OK || done <= 0 ||
            done > left)
            return false;
        left -= done;
    }
    return true;
}

} // namespace

v3_result Encoder::getState(v3_bstream** stream) const
{
    if (!stream) return V3_INVALID_ARG;
    unsigned char data[kStateSize];
    std::memcpy(data, kTag, sizeof kTag);
    for (int i = 0; i < kNumParams; ++i)
    {
        const float value = automated[i].load();
        uint32_t bits;
        std::memcpy(&bits, &value, 4);
        for (int b = 0; b < 4; ++b)
            data[sizeof kTag + 4 * i + b] = static_cast<unsigned char>(bits >> (8 * b));
    }
    auto write = [](v3_bstream** s, unsigned char* d, int32_t n, int32_t* done)
    { return v3_cpp_obj(s)->write(s, d, n, done); };
    return transferAll(stream, write, data) ? V3_OK : V3_FALSE;
}

// A stream that ends early, is not this state or holds a value outside 0..1 changes nothing.
v3_result Encoder::setState(v3_bstream** stream)
{
    if (!stream) return V3_INVALID_ARG;
    unsigned char data[kStateSize];
    auto read = [](v3_bstream** s, unsigned char* d, int32_t n, int32_t* done)
    { return v3_cpp_obj(s)->read(s, d, n, done); };
    if (!transferAll(stream, read, data) || std::memcmp(data, kTag, sizeof kTag)) return V3_FALSE;
    float loaded[kNumParams];
    for (int i = 0; i < kNumParams; ++i)
    {
        uint32_t bits = 0;
        for (int b = 0; b < 4; ++b)
            bits |= uint32_t(data[sizeof kTag + 4 * i + b]) << (8 * b);
        std::memcpy(&loaded[i], &bits, 4);
        if (!(loaded[i] >= 0.0f && loaded[i] <= 1.0f)) return V3_FALSE;
    }
    for (int i = 0; i < kNumParams; ++i)
        automated[i].store(loaded[i]);
    if (active)
        reloaded = true;
    else
        std::memcpy(current, loaded, sizeof current);
    return V3_OK;
}

} // namespace sferant::vst3
