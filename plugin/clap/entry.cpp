// SPDX-License-Identifier: GPL-3.0-or-later
// The module's one export, clap_entry: a factory of the two plug-ins, Sferant (Furse-Malham)
// and Sferant AmbiX (ACN), whose ids never change.
#include "plugin/clap/Encoder.h"
#include "plugin/clap/extensions.h"

#include <clap/entry.h>
#include <clap/plugin-factory.h>

#include <cstring>
#include <new>

using namespace sferant;
using namespace sferant::clap;

namespace
{

const char* kFeatures[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, CLAP_PLUGIN_FEATURE_AMBISONIC,
                           CLAP_PLUGIN_FEATURE_SURROUND, nullptr};

constexpr clap_plugin_descriptor_t descriptor(const char* id, const Edition& edition,
                                              const char* description)
{
    return {CLAP_VERSION, id, edition.name,    "Sferant Project", "",
            "",           "", SFERANT_VERSION, description,       kFeatures};
}

const clap_plugin_descriptor_t kDescriptors[] = {
    descriptor("org.sferant.encoder", kSferant,
               "Ambisonic encoder of a mono or stereo source, Furse-Malham channel sequence"),
    descriptor("org.sferant.ambix", kSferantAmbiX,
               "Ambisonic encoder of a mono or stereo source, ACN channel order"),
};
const Edition* const kEditions[] = {&kSferant, &kSferantAmbiX};
constexpr uint32_t kNumPlugins = 2;

Encoder& encoder(const clap_plugin_t* plugin)
{
    return Encoder::of(plugin);
}

// The instance's own operations; destroy deactivates an instance the host left active.
const clap_plugin_t kOperations = {
    nullptr,
    nullptr,
    [](const clap_plugin_t* p) { return encoder(p).init(); },
    [](const clap_plugin_t* p)
    {
        encoder(p).deactivate();
        delete &encoder(p);
    },
    [](const clap_plugin_t* p, double rate, uint32_t, uint32_t maxFrames)
    { return encoder(p).activate(rate, maxFrames); },
    [](const clap_plugin_t* p) { encoder(p).deactivate(); },
    [](const clap_plugin_t*) { return true; },
    [](const clap_plugin_t*) {},
    [](const clap_plugin_t* p) { encoder(p).reset(); },
    [](const clap_plugin_t* p, const clap_process_t* process)
    { return process ? encoder(p).process(*process) : CLAP_PROCESS_ERROR; },
    extension,
    [](const clap_plugin_t*) {},
};

const clap_plugin_t* createPlugin(const clap_plugin_factory_t*, const clap_host_t* host,
                                  const char* id)
{
    if (!host || !id || !clap_version_is_compatible(host->clap_version)) return nullptr;
    for (uint32_t i = 0; i < kNumPlugins; ++i)
        if (!std::strcmp(id, kDescriptors[i].id))
        {
            auto* instance =
                new (std::nothrow) Encoder(*kEditions[i], kOperations, &kDescriptors[i], host);
            return instance ? instance->plugin() : nullptr;
        }
    return nullptr;
}

const clap_plugin_factory_t kFactory = {
    [](const clap_plugin_factory_t*) { return kNumPlugins; },
    [](const clap_plugin_factory_t*, uint32_t index) -> const clap_plugin_descriptor_t*
    { return index < kNumPlugins ? &kDescriptors[index] : nullptr; },
    createPlugin,
};

} // namespace

extern "C" CLAP_EXPORT const clap_plugin_entry_t clap_entry = {
    CLAP_VERSION,
    [](const char*) { return true; },
    []() {},
    [](const char* id) -> const void*
    { return id && !std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) ? &kFactory : nullptr; },
};
