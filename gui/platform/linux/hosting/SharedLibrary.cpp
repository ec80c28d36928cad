// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/hosting/SharedLibrary.h"

#include <dlfcn.h>

#include "plugin/hosting/LoadedPlugin.h"

SharedLibrary::SharedLibrary(const std::string& path)
{
    // A name without a slash would make dlopen search the library path instead of the folder.
    const std::string name = path.find('/') == std::string::npos ? "./" + path : path;
    fHandle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!fHandle)
    {
        const char* reason = dlerror();
        throw PluginError(std::string("not a loadable module: ") +
                          (reason ? reason : "unknown error"));
    }
}

SharedLibrary::~SharedLibrary()
{
    dlclose(fHandle);
}

void* SharedLibrary::symbol(const char* name) const
{
    return dlsym(fHandle, name);
}
