// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostedEffect.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace sferant_test
{

HostedEffect::HostedEffect(AEffect* record) : record(record) {}

HostedEffect::~HostedEffect()
{
    close();
}

void HostedEffect::close()
{
    if (open) dispatch(effClose);
    open = false;
}

VstIntPtr HostedEffect::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt)
{
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

void HostedEffect::setAll(const float (&values)[sferant::kNumParams])
{
    for (int i = 0; i < sferant::kNumParams; ++i)
        set(i, values[i]);
}

std::string HostedEffect::text(VstInt32 opcode, VstInt32 index, VstIntPtr value)
{
    char buffer[80];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    buffer[79] = 0;
    dispatch(opcode, index, value, buffer);
    return buffer;
}

void HostedEffect::start(float sampleRate, int maxBlock)
{
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, maxBlock);
    dispatch(effMainsChanged, 0, 1);
}

void HostedEffect::process(float** inputs, float** outputs, int frames)
{
    record->processReplacing(record, inputs, outputs, frames);
}

void HostedEffect::process(double** inputs, double** outputs, int frames)
{
    record->processDoubleReplacing(record, inputs, outputs, frames);
}

template <class Sample>
Channels<Sample>::Channels(int frames, Sample fill)
    : in(kInputs, std::vector<Sample>(std::max(frames, 1), 0)),
      out(kOutputs, std::vector<Sample>(std::max(frames, 1), fill))
{
    for (int c = 0; c < kInputs; ++c)
        inputs[c] = in[c].data();
    for (int c = 0; c < kOutputs; ++c)
        outputs[c] = out[c].data();
}

template <class Sample> bool Channels<Sample>::outputsFinite(int frames) const
{
    for (const auto& channel : out)
        for (int i = 0; i < frames; ++i)
            if (!std::isfinite(channel[i])) return false;
    return true;
}

template struct Channels<float>;
template struct Channels<double>;

template <class Sample>
void fillSignal(std::vector<Sample>& samples, unsigned seed, long startFrame)
{
    const double low = 0.003 + 0.001 * (seed % 7);
    const double high = 0.31 + 0.01 * (seed % 5);
    for (size_t i = 0; i < samples.size(); ++i)
    {
        const double t = static_cast<double>(startFrame + static_cast<long>(i));
        const unsigned noise = (static_cast<unsigned>(t) * 2654435761u) ^ seed;
        samples[i] = static_cast<Sample>(0.6 * std::sin(low * t) + 0.3 * std::sin(high * t) +
                                         0.05 * ((noise >> 8) % 1000) / 1000.0);
    }
}

template void fillSignal(std::vector<float>&, unsigned, long);
template void fillSignal(std::vector<double>&, unsigned, long);

} // namespace sferant_test
