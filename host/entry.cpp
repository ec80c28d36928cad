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

#ifdef _WIN32
#include <windows.h>

// The thread library linked into the module keeps a record (two handles) for each thread that
// used it, released as that thread ends; a host's thread outlives the module it unloads. The
// loading thread always has one: in 32-bit builds the runtime's own start-up makes it. So as
// the host unloads the module, the library's thread-end callback releases that thread's record.
extern "C" PIMAGE_TLS_CALLBACK __xl_f;

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, void* reserved)
{
    // reserved is null for an unload, not for the end of the process
    if (reason == DLL_PROCESS_DETACH && !reserved) __xl_f(module, DLL_THREAD_DETACH, nullptr);
    return TRUE;
}
#endif
