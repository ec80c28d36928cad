// SPDX-License-Identifier: GPL-3.0-or-later
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
