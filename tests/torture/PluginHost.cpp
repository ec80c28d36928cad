#include "PluginHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <dlfcn.h>

namespace torture
{

namespace
{

VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

using EntryPoint = AEffect* (*)(audioMasterCallback);

EntryPoint loadEntryPoint()
{
    void* library = dlopen(SFERANT_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!library)
    {
        ADD_FAILURE() << "cannot load " << SFERANT_MODULE_PATH << ": " << dlerror();
        return nullptr;
    }
    return reinterpret_cast<EntryPoint>(dlsym(library, "VSTPluginMain"));
}

} // namespace

AEffect* createInstance()
{
    static const EntryPoint entry = loadEntryPoint();
    return entry ? entry(hostCallback) : nullptr;
}

Instance::Instance() : record(createInstance())
{
    if (!record)
    {
        ADD_FAILURE() << "the entry point gave no effect";
        std::abort();
    }
    dispatch(effOpen);
}

Instance::~Instance()
{
    close();
}

void Instance::close()
{
    if (open) record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    open = false;
}

VstIntPtr Instance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

void Instance::setAll(const float (&values)[9])
{
    for (int i = 0; i < 9; ++i)
        set(i, values[i]);
}

std::vector<char> Instance::display(VstInt32 index)
{
    std::vector<char> text(64, 0);
    dispatch(effGetParamDisplay, index, 0, text.data());
    return text;
}

void Instance::start(float sampleRate, int maxBlock)
{
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, maxBlock);
    dispatch(effMainsChanged, 0, 1);
}

template <class Sample>
Channels<Sample>::Channels(int frames)
    : in(kInputs, std::vector<Sample>(frames, 0)),
      out(kOutputs, std::vector<Sample>(frames, Sample(-12345)))
{
    for (int c = 0; c < kInputs; ++c)
        inputs[c] = in[c].data();
    for (int c = 0; c < kOutputs; ++c)
        outputs[c] = out[c].data();
}

template <> void Channels<float>::process(AEffect* record, int frames)
{
    record->processReplacing(record, inputs, outputs, frames);
}

template <> void Channels<double>::process(AEffect* record, int frames)
{
    record->processDoubleReplacing(record, inputs, outputs, frames);
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

namespace
{

template <class Sample> void fill(std::vector<Sample>& samples, unsigned seed, long startFrame)
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

} // namespace

void fillSignal(std::vector<float>& samples, unsigned seed, long startFrame)
{
    fill(samples, seed, startFrame);
}

void fillSignal(std::vector<double>& samples, unsigned seed, long startFrame)
{
    fill(samples, seed, startFrame);
}

} // namespace torture
