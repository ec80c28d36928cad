// SPDX-License-Identifier: GPL-3.0-or-later
// The module's entry point: one call per plug-in instance.
#include "host/AudioEffect.h"

// What leaves the module, and the alias "main" some hosts look the entry point up under, the
// platform's folder decides (sferant_platform_module in gui/platform/<platform>/).
extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
    if (!audioMaster) return nullptr;
    // A host that does not answer the version query gets nothing.
    if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.f) == 0) return nullptr;
    try
    {
        AudioEffect* effect = createEffectInstance(audioMaster);
        return effect ? effect->getAeffect() : nullptr;
    }
    catch (...)
    {
        // Nothing may unwind into the host; a failed construction has
        // already released its storage.
        return nullptr;
    }
}
