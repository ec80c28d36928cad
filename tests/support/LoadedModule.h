// SPDX-License-Identifier: GPL-3.0-or-later
// A plug-in module loaded as a host loads one (dlopen, LoadLibrary), unloaded with this object.
#pragma once

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

class LoadedModule
{
  public:
    explicit LoadedModule(const char* path)
    {
#ifdef _WIN32
        handle = LoadLibraryA(path);
        if (!handle) reason = "LoadLibrary failed with error " + std::to_string(GetLastError());
#else
        handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
        if (!handle) reason = dlerror();
#endif
    }
    ~LoadedModule()
    {
#ifdef _WIN32
        if (handle) FreeLibrary(handle);
#else
        if (handle) dlclose(handle);
#endif
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool loaded() const
    {
        return handle != nullptr;
    }
    const std::string& error() const
    {
        return reason;
    }

    // The exported symbol, or null.
    template <class Symbol> Symbol symbol(const char* name) const
    {
#ifdef _WIN32
        return reinterpret_cast<Symbol>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
#else
        return reinterpret_cast<Symbol>(dlsym(handle, name));
#endif
    }

  private:
#ifdef _WIN32
    HMODULE handle = nullptr;
#else
    void* handle = nullptr;
#endif
    std::string reason;
};
