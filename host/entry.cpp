// SPDX-License-Identifier: GPL-3.0-or-later
// The module's entry point: one call per plug-in instance.
#include "host/AudioEffect.h"

// On Windows host/exports.def names what leaves the module.
#ifdef _WIN32
#define SFERANT_EXPORT extern "C"
#else
#define SFERANT_EXPORT extern "C" __attribute__((visibility("default")))
#endif

SFERANT_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster)
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

#ifndef _WIN32
// Some hosts look the entry point up under the name "main"; C++ reserves that
// name for the program's main function, hence the assembler name. (Windows: an
// alias in host/exports.def.)
SFERANT_EXPORT AEffect* mainEntryPoint(audioMasterCallback audioMaster) __asm__("main");
AEffect* mainEntryPoint(audioMasterCallback audioMaster)
{
    return VSTPluginMain(audioMaster);
}
#endif
