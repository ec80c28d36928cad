// SPDX-License-Identifier: GPL-3.0-or-later
// The plug-in's extensions as the host reaches them: parameters, audio ports, state and the
// Ambisonic declaration, each a table of functions onto the instance.
#include "plugin/clap/extensions.h"

#include "plugin/clap/Encoder.h"
#include "plugin/clap/gui.h"
#include "plugin/clap/texts.h"

#include <clap/ext/audio-ports.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>

#include <cassert>
#include <cstdio>
#include <cstring>

namespace sferant::clap
{

namespace
{

Encoder& encoder(const clap_plugin_t* plugin)
{
    return Encoder::of(plugin);
}

bool knownParameter(clap_id id)
{
    return id < static_cast<clap_id>(kNumParams);
}

bool parameterInfo(const clap_plugin_t* plugin, uint32_t index, clap_param_info_t* info)
{
    assert(encoder(plugin).onMainThread());
    if (!knownParameter(index) || !info) return false;
    const Parameter& p = kParameters[index];
    *info = {};
    info->id = index;
    info->flags = CLAP_PARAM_IS_AUTOMATABLE |
                  (p.positions ? CLAP_PARAM_IS_STEPPED : CLAP_PARAM_IS_MODULATABLE) |
                  (p.circular ? CLAP_PARAM_IS_PERIODIC : 0);
    std::snprintf(info->name, sizeof info->name, "%s", p.name);
    info->min_value = p.minimum;
    info->max_value = p.maximum;
    info->default_value = userValue(int(index), defaultValue(encoder(plugin).edition, int(index)));
    return true;
}

const clap_plugin_params_t kParams = {
    [](const clap_plugin_t*) -> uint32_t { return kNumParams; },
    parameterInfo,
    [](const clap_plugin_t* plugin, clap_id id, double* value)
    {
        assert(encoder(plugin).onMainThread());
        if (!knownParameter(id) || !value) return false;
        *value = encoder(plugin).value(int(id));
        return true;
    },
    [](const clap_plugin_t*, clap_id id, double value, char* text, uint32_t size)
    { return knownParameter(id) && valueToText(int(id), value, text, size); },
    [](const clap_plugin_t*, clap_id id, const char* text, double* value)
    { return knownParameter(id) && value && textToValue(int(id), text, *value); },
    [](const clap_plugin_t* plugin, const clap_input_events_t* in, const clap_output_events_t* out)
    { encoder(plugin).flush(in, out); },
};

// One main port each way: two input channels whatever the Input parameter, 36 outputs.
bool portInfo(const clap_plugin_t* plugin, uint32_t index, bool isInput,
              clap_audio_port_info_t* info)
{
    assert(encoder(plugin).onMainThread());
    if (index != 0 || !info) return false;
    *info = {};
    info->id = 0;
    info->flags = CLAP_AUDIO_PORT_IS_MAIN | CLAP_AUDIO_PORT_SUPPORTS_64BITS |
                  CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE;
    info->in_place_pair = CLAP_INVALID_ID;
    if (isInput)
    {
        std::snprintf(info->name, sizeof info->name, "Input");
        info->channel_count = kNumInputs;
        info->port_type = CLAP_PORT_STEREO;
        return true;
    }
    std::snprintf(info->name, sizeof info->name, "Ambisonic output");
    info->channel_count = kNumOutputs;
    // The Furse-Malham sequence's 2D packing matches no CLAP ordering: a plain port.
    info->port_type =
        encoder(plugin).edition.channelOrder == ChannelOrder::kAcn ? CLAP_PORT_AMBISONIC : nullptr;
    return true;
}

const clap_plugin_audio_ports_t kAudioPorts = {
    [](const clap_plugin_t*, bool) -> uint32_t { return 1; },
    portInfo,
};

const clap_plugin_state_t kState = {
    [](const clap_plugin_t* plugin, const clap_ostream_t* stream)
    { return stream && encoder(plugin).save(*stream); },
    [](const clap_plugin_t* plugin, const clap_istream_t* stream)
    { return stream && encoder(plugin).load(*stream); },
};

// ACN with a normalisation the weights give.
bool supported([[maybe_unused]] const clap_plugin_t* plugin, const clap_ambisonic_config_t* config)
{
    assert(encoder(plugin).onMainThread());
    return config && config->ordering == CLAP_AMBISONIC_ORDERING_ACN &&
           config->normalization >= CLAP_AMBISONIC_NORMALIZATION_SN3D &&
           config->normalization <= CLAP_AMBISONIC_NORMALIZATION_N2D;
}

bool configOf(const clap_plugin_t* plugin, bool isInput, uint32_t port,
              clap_ambisonic_config_t* config)
{
    assert(encoder(plugin).onMainThread());
    const AmbisonicAnswer answer = encoder(plugin).ambisonicAnswer();
    if (isInput || port != 0 || !config || !answer.valid) return false;
    *config = answer.config;
    return true;
}

const clap_plugin_ambisonic_t kAmbisonic = {supported, configOf};

} // namespace

const void* extension(const clap_plugin_t* plugin, const char* id)
{
    if (!id) return nullptr;
    if (!std::strcmp(id, CLAP_EXT_PARAMS)) return &kParams;
    if (!std::strcmp(id, CLAP_EXT_AUDIO_PORTS)) return &kAudioPorts;
    if (!std::strcmp(id, CLAP_EXT_STATE)) return &kState;
    if (const void* gui = guiExtension(id)) return gui;
    const bool ambisonicPort = encoder(plugin).edition.channelOrder == ChannelOrder::kAcn;
    if (ambisonicPort &&
        (!std::strcmp(id, CLAP_EXT_AMBISONIC) || !std::strcmp(id, CLAP_EXT_AMBISONIC_DRAFT)))
        return &kAmbisonic;
    return nullptr;
}

} // namespace sferant::clap
