// SPDX-License-Identifier: GPL-3.0-or-later
// The editor bitmaps are resources of type "PNG" of the module itself.
#include "resources/ResourceTable.h"

#include "gui/platform/windows/Win32Module.h"

// A loaded resource stays mapped as long as the module: nothing to release.
SferantResource findResource(long id)
{
    HINSTANCE module = thisModule();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const unsigned char*>(data), size_t(SizeofResource(module, found))};
}
