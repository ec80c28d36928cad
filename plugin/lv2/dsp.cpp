// SPDX-License-Identifier: GPL-3.0-or-later
// The LV2 plug-in's audio side: the block processor behind the ports. Nothing here knows a
// window system; the editor lives in the UI binary.
#include "core/BlockProcessor.h"
#include "core/parameters.h"
#include "plugin/lv2/ports.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstring>
#include <new>

using namespace sferant;
using namespace sferant::lv2;

namespace
{

// What the processor is prepared for when the host announces no longest block.
constexpr int kAssumedMaxFrames = 4096;

class Encoder
{
  public:
    Encoder(const Edition& edition, double sampleRate, int maxFrames);

    void connect(uint32_t port, void* data);
    void activate() { processor.reset(); }
    void run(uint32_t frames);

  private:
    void readControls();

    const float* inputs[kNumInputs] = {};
    float* outputs[kNumOutputs] = {};
    const float* controls[kNumParams] = {};
    // Normalised; a control holding no finite number keeps the last value it had.
    float values[kNumParams];
    BlockProcessor processor;
};

Encoder::Encoder(const Edition& edition, double sampleRate, int maxFrames)
    : processor(edition.channelOrder)
{
    for (int i = 0; i < kNumParams; ++i)
        values[i] = defaultValue(edition, i);
    processor.prepare(sampleRate, maxFrames);
}

void Encoder::connect(uint32_t port, void* data)
{
    if (port < kFirstOutputPort)
        inputs[port - kFirstInputPort] = static_cast<const float*>(data);
    else if (port < kFirstControlPort)
        outputs[port - kFirstOutputPort] = static_cast<float*>(data);
    else if (parameterOfPort(port) >= 0)
        controls[parameterOfPort(port)] = static_cast<const float*>(data);
}

// Once per run: a block encodes with one setting, as a VST 2.4 host's block does.
void Encoder::readControls()
{
    for (int i = 0; i < kNumParams; ++i)
        if (controls[i] && std::isfinite(*controls[i]))
            values[i] = normalisedValue(i, *controls[i]);
}

void Encoder::run(uint32_t frames)
{
    readControls();
    processor.setParameters(values);
    processor.process(inputs, outputs, int(frames));
}

// The longest block from the host's options (buf-size), where it gives them.
int announcedMaxFrames(const LV2_Feature* const* features)
{
    const LV2_URID_Map* map = nullptr;
    const LV2_Options_Option* options = nullptr;
    for (; features && *features; ++features)
    {
        if (!std::strcmp((*features)->URI, LV2_URID__map))
            map = static_cast<const LV2_URID_Map*>((*features)->data);
        else if (!std::strcmp((*features)->URI, LV2_OPTIONS__options))
            options = static_cast<const LV2_Options_Option*>((*features)->data);
    }
    if (!map || !options) return kAssumedMaxFrames;
    const LV2_URID maxLength = map->map(map->handle, LV2_BUF_SIZE__maxBlockLength);
    const LV2_URID intType = map->map(map->handle, LV2_ATOM__Int);
    for (; options->key; ++options)
        if (options->key == maxLength && options->type == intType &&
            options->size == sizeof(int32_t) && *static_cast<const int32_t*>(options->value) > 0)
            return *static_cast<const int32_t*>(options->value);
    return kAssumedMaxFrames;
}

Encoder* encoder(LV2_Handle instance)
{
    return static_cast<Encoder*>(instance);
}

// The edition whose descriptor the host instantiates.
const Edition& editionOf(const LV2_Descriptor* descriptor)
{
    for (const Lv2Plugin& plugin : kPlugins)
        if (!std::strcmp(descriptor->URI, plugin.uri)) return plugin.edition;
    return kSferant;
}

LV2_Handle instantiate(const LV2_Descriptor* descriptor, double sampleRate, const char*,
                       const LV2_Feature* const* features)
{
    return new (std::nothrow)
        Encoder(editionOf(descriptor), sampleRate, announcedMaxFrames(features));
}

constexpr LV2_Descriptor descriptorOf(const Lv2Plugin& plugin)
{
    return {
        plugin.uri,
        instantiate,
        [](LV2_Handle instance, uint32_t port, void* data)
        { encoder(instance)->connect(port, data); },
        [](LV2_Handle instance) { encoder(instance)->activate(); },
        [](LV2_Handle instance, uint32_t frames) { encoder(instance)->run(frames); },
        nullptr, // deactivate: nothing to release
        [](LV2_Handle instance) { delete encoder(instance); },
        [](const char*) -> const void* { return nullptr; },
    };
}

const LV2_Descriptor kDescriptors[kNumPlugins] = {descriptorOf(kPlugins[0]),
                                                  descriptorOf(kPlugins[1])};

} // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
    return index < kNumPlugins ? &kDescriptors[index] : nullptr;
}
