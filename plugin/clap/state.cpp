// SPDX-License-Identifier: GPL-3.0-or-later
// The saved state: a tag that names the format and its version, then the nine normalised
// values as little-endian 32-bit floats, in parameter order.
#include "plugin/clap/Encoder.h"

#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace sferant::clap
{

namespace
{

constexpr char kTag[8] = {'S', 'f', 'e', 'r', 'a', 'n', 't', '1'};
constexpr std::size_t kStateSize = sizeof kTag + 4 * kNumParams;

void putValue(unsigned char* at, float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(bits >> (8 * i));
}

float valueAt(const unsigned char* at)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Streams may take or give fewer bytes than asked for: the transfer loops until done or
// failed. `call` is the stream's read or write.
template <class Stream, class Byte, class Call>
bool transferAll(const Stream& stream, Call call, Byte* data, std::size_t size)
{
    while (size)
    {
        const std::int64_t done = call(&stream, data, size);
        if (done <= 0 || static_cast<std::uint64_t>(done) > size) return false;
        data += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

} // namespace

bool Encoder::save(const clap_ostream_t& stream) const
{
    assert(onMainThread());
    unsigned char data[kStateSize];
    std::memcpy(data, kTag, sizeof kTag);
    for (int i = 0; i < kNumParams; ++i)
        putValue(data + sizeof kTag + 4 * i, automated[i].load());
    return transferAll(stream, stream.write, data, sizeof data);
}

bool Encoder::load(const clap_istream_t& stream)
{
    assert(onMainThread());
    unsigned char data[kStateSize];
    if (!transferAll(stream, stream.read, data, sizeof data) ||
        std::memcmp(data, kTag, sizeof kTag))
        return false;
    float loaded[kNumParams];
    for (int i = 0; i < kNumParams; ++i)
    {
        loaded[i] = valueAt(data + sizeof kTag + 4 * i);
        if (!(loaded[i] >= 0.0f && loaded[i] <= 1.0f)) return false;
    }
    const AmbisonicAnswer before = currentAnswer();
    if (active)
    {
        for (int i = 0; i < kNumParams; ++i)
            automated[i].store(loaded[i]);
        reloaded = true;
        host->request_process(host);
    }
    else
    {
        setValues(loaded);
        tellHostOfNewAnswer(before);
    }
    if (hostParams && hostParams->rescan) hostParams->rescan(host, CLAP_PARAM_RESCAN_VALUES);
    return true;
}

} // namespace sferant::clap
